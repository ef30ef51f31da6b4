#include "testenvironment.h"

#include <QImage>
#include <QMetaMethod>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtQml/private/qhashedstring_p.h>
#include <QtQml/private/qqmlmetatype_p.h>
#include <QtTest>

// The documentation kept honest: the reference names everything the module offers,
// and every QML example of the docs loads and runs without an error.
class TestDocs : public QObject {
    Q_OBJECT
    QString m_reference;

    // The library's own warnings while an example runs.
    static QStringList &coreWarnings() {
        static QStringList warnings;
        return warnings;
    }
    static void recordCoreWarnings(QtMsgType type, const QMessageLogContext &context,
                                   const QString &message) {
        if (qstrcmp(context.category, "orvane.core") == 0)
            coreWarnings().append(message);
        else
            previousHandler()(type, context, message);
    }
    static QtMessageHandler &previousHandler() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    static QString source(const QString &relative) {
        return QString::fromUtf8(TestEnvironment::readAll(ORVANE_SOURCE_DIR "/" + relative));
    }

    // The text under "### name", up to the next heading of that level or above.
    QString section(const QString &name) const {
        const QRegularExpression heading("^### " + QRegularExpression::escape(name) + "$",
                                         QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = heading.match(m_reference);
        if (!match.hasMatch())
            return QString();
        static const QRegularExpression next("^##", QRegularExpression::MultilineOption);
        const int end = m_reference.indexOf(next, match.capturedEnd());
        return m_reference.mid(match.capturedEnd(), end < 0 ? -1 : end - match.capturedEnd());
    }

    // The module registers its types on its first import.
    static bool importModule(QQmlEngine *engine) {
        QQmlComponent component(engine);
        component.setData("import QtQml 2.12\nimport Orvane 1.0\nQtObject {}", QUrl());
        QScopedPointer<QObject> root(component.create());
        return root;
    }

    struct Block {
        QString file;
        int line;
        QString text;
    };

    static QVector<Block> qmlBlocks(const QString &file) {
        QVector<Block> blocks;
        const QStringList lines = source(file).split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith("```qml"))
                continue;
            const bool fragment = lines[i].contains("fragment");
            QStringList body;
            const int start = i + 1;
            while (++i < lines.size() && !lines[i].startsWith("```"))
                body.append(lines[i]);
            QString text = body.join('\n') + '\n';
            if (fragment)
                text = "import QtQuick 2.12\nimport Orvane 1.0\nItem {\n" + text + "}\n";
            blocks.append({file, start, text});
        }
        return blocks;
    }

private slots:
    void initTestCase() {
        m_reference = source("docs/reference.md");
        QVERIFY(!m_reference.isEmpty());
    }

    void referenceNamesEverything() {
        QQmlEngine engine;
        QVERIFY(importModule(&engine));
        QStringList names;
        for (const QQmlType &type : QQmlMetaType::qmlAllTypes()) {
            if (type.module() == "Orvane" && !type.elementName().isEmpty())
                names.append(type.elementName());
        }
        QVERIFY(names.contains("SystemCall") && names.contains("SFX"));
        // The value types cross into QML by value, without a QML name.
        names << "UrlInfo"
              << "MenuItemFolderOptions"
              << "DataSourceOutput";
        QVERIFY(QMetaType::type("Orvane::Imports::UrlInfo"));
        QVERIFY(QMetaType::type("Orvane::Imports::MenuItemFolderOptions"));

        QStringList missing;
        for (const QString &name : qAsConst(names)) {
            if (section(name).isEmpty())
                missing.append(name);
        }
        QVERIFY2(missing.isEmpty(), qPrintable("no entry: " + missing.join(", ")));
    }

    // The stock sounds and the system provider's values, as the running code has them.
    void referenceTables() {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.12\nimport Orvane 1.0\nQtObject {\n"
                          "  property var sounds: SFX._configs.map(function (s) {\n"
                          "    return '| `' + s.objectName + '` | `' + s.category + '` | ' + "
                          "s.label + ' |' })\n"
                          "  property DataSource system: DataSource { configuration: "
                          "({ source: 'system', value: 'cpu', interval: 0 }) }\n"
                          "}",
                          QUrl());
        QScopedPointer<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));

        const QStringList rows = root->property("sounds").toStringList();
        QCOMPARE(rows.size(), 14);
        const QString sounds = m_reference.mid(m_reference.indexOf("\n## Stock sounds"));
        QStringList tableRows;
        for (const QString &line : sounds.split('\n')) {
            if (line.startsWith("| `"))
                tableRows.append(line);
        }
        QCOMPARE(tableRows, rows);

        QObject *source = root->property("system").value<QObject *>();
        QObject *data = nullptr;
        QTRY_VERIFY((data = source->property("data").value<QObject *>()) &&
                    data->property("values").isValid());
        const QStringList keys = data->property("values").toMap().keys();
        QVERIFY(keys.contains("cpu"));
        const QString system = section("system");
        for (const QString &key : keys) {
            QVERIFY2(system.contains("| `" + key + "` |"), qPrintable("system value " + key));
        }
    }

    // Each ```qml block of the README and the docs, as a file of its own (a block
    // marked "fragment" inside an Item), loads and runs without a QML error and without
    // a warning of the library.
    void examplesLoad() {
        QVector<Block> blocks;
        for (const char *file : {"README.md", "docs/guide.md", "docs/reference.md"})
            blocks += qmlBlocks(file);
        QVERIFY(blocks.size() > 40);

        static const QRegularExpression pictures("\"([\\w-]+\\.png)\"");
        for (const Block &block : qAsConst(blocks)) {
            const QString where = block.file + ':' + QString::number(block.line);
            QTemporaryDir dir;
            for (auto it = pictures.globalMatch(block.text); it.hasNext();) {
                QImage image(4, 4, QImage::Format_ARGB32);
                image.fill(Qt::gray);
                QVERIFY(image.save(dir.filePath(it.next().captured(1))));
            }
            const QString path = dir.filePath("Example.qml");
            QVERIFY(TestEnvironment::writeFile(path, block.text.toUtf8()));

            QQmlEngine engine;
            QList<QQmlError> errors;
            coreWarnings().clear();
            previousHandler() = qInstallMessageHandler(recordCoreWarnings);
            engine.setOutputWarningsToStandardError(false);
            connect(&engine, &QQmlEngine::warnings, this,
                    [&errors](const QList<QQmlError> &warnings) { errors += warnings; });
            QQmlComponent component(&engine, QUrl::fromLocalFile(path));
            QScopedPointer<QObject> object(component.create());
            QVERIFY2(object, qPrintable(where + ": " + component.errorString()));
            // Whatever the example deferred with Qt.callLater runs too.
            QCoreApplication::processEvents();
            qInstallMessageHandler(previousHandler());
            QStringList messages;
            for (const QQmlError &error : qAsConst(errors))
                messages.append(error.toString());
            // Loading what was never saved is how a widget's first run starts.
            for (const QString &warning : qAsConst(coreWarnings())) {
                if (!warning.contains(": cannot open file: "))
                    messages.append(warning);
            }
            QVERIFY2(messages.isEmpty(), qPrintable(where + ": " + messages.join('\n')));
        }
    }

    // An unclosed fence would swallow the rest of a file, examples included.
    void fencesClosed() {
        for (const char *file : {"README.md", "docs/guide.md", "docs/reference.md"}) {
            static const QRegularExpression fence("^```", QRegularExpression::MultilineOption);
            QVERIFY2(source(file).count(fence) % 2 == 0, file);
        }
    }
};

QTEST_MAIN(TestDocs)
#include "tst_docs.moc"
