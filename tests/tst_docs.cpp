#include "testenvironment.h"

#include <QDir>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtQml/private/qhashedstring_p.h>
#include <QtQml/private/qqmlmetatype_p.h>
#include <QtTest>

namespace {

QString source(const QString &relative) {
    return QString::fromUtf8(TestEnvironment::readAll(ORVANE_SOURCE_DIR "/" + relative));
}

// The QML errors and the library's warnings of one example, run as a file of its own beside
// the pictures it names.
QString runExample(const QString &text) {
    QTemporaryDir dir;
    static const QRegularExpression pictures("\"([\\w-]+\\.png)\"");
    for (auto it = pictures.globalMatch(text); it.hasNext();) {
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::gray);
        image.save(dir.filePath(it.next().captured(1)));
    }
    const QString path = dir.filePath("Example.qml");
    TestEnvironment::writeFile(path, text.toUtf8());
    static QStringList messages;
    static QtMessageHandler previous = nullptr;
    messages.clear();
    QQmlEngine engine;
    engine.setOutputWarningsToStandardError(false);
    QObject::connect(&engine, &QQmlEngine::warnings, [](const QList<QQmlError> &warnings) {
        for (const QQmlError &warning : warnings)
            messages.append(warning.toString());
    });
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (qstrcmp(context.category, "orvane.core") != 0)
                previous(type, context, message);
            else if (!message.contains(": cannot open file: ")) // how a widget's first run starts
                messages.append(message);
        });
    QQmlComponent component(&engine, QUrl::fromLocalFile(path));
    QScopedPointer<QObject> object(component.create());
    QCoreApplication::processEvents(); // what the example deferred with Qt.callLater runs too
    qInstallMessageHandler(previous);
    if (!object)
        messages.append(component.errorString());
    return messages.join('\n');
}

} // namespace

// The documentation kept honest: the reference names everything the module offers, and every
// QML example of the docs loads and runs without an error.
class TestDocs : public QObject {
    Q_OBJECT
    const QString m_reference = source("docs/reference.md");

    // The text under "### name", up to the next heading.
    QString section(const QString &name) const {
        const QRegularExpression entry("^### " + QRegularExpression::escape(name) +
                                           "\n((?:(?!##).*\n)*)",
                                       QRegularExpression::MultilineOption);
        return entry.match(m_reference).captured(1).trimmed();
    }

private slots:
    void reference() {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(R"(import QtQml 2.12
import Orvane 1.0
QtObject {
    property var sounds: SFX._configs.map(s => `| \`${s.objectName}\` | \`${s.category}\` | ${s.label} |`)
    property DataSource system: DataSource { configuration: ({ source: "system", value: "cpu", interval: 0 }) }
    property var values: system.data && system.data.values ? Object.keys(system.data.values) : []
})",
                          QUrl());
        QScopedPointer<QObject> root(component.create());
        QVERIFY2(root, qPrintable(component.errorString()));
        // The value types cross into QML by value, without a QML name.
        QStringList names{"UrlInfo", "MenuItemFolderOptions", "DataSourceOutput"}, missing;
        for (const QQmlType &type : QQmlMetaType::qmlAllTypes()) {
            if (type.module() == "Orvane" && !type.elementName().isEmpty())
                names.append(type.elementName());
        }
        QVERIFY(names.contains("SystemCall") && names.contains("SFX"));
        for (const QString &name : qAsConst(names)) {
            if (section(name).isEmpty())
                missing.append(name);
        }
        QVERIFY2(missing.isEmpty(), qPrintable("no entry: " + missing.join(", ")));
        const QStringList rows = m_reference.mid(m_reference.indexOf("\n## Stock sounds"))
                                     .split('\n')
                                     .filter(QRegularExpression("^\\| `"));
        QCOMPARE(rows, root->property("sounds").toStringList());
        QCOMPARE(rows.size(), 14);
        QTRY_VERIFY(root->property("values").toStringList().contains("cpu"));
        for (const QString &key : root->property("values").toStringList())
            QVERIFY2(section("system").contains("| `" + key + "` |"), qPrintable(key));
    }

    // Each ```qml block, a block marked "fragment" inside an Item, loads and runs without a
    // QML error and without a warning of the library.
    void examplesLoad() {
        static const QRegularExpression block("^```qml( fragment)?\n(.*?)^```",
                                              QRegularExpression::MultilineOption |
                                                  QRegularExpression::DotMatchesEverythingOption);
        int examples = 0;
        for (const QString &file :
             QStringList{"README.md"} + QDir(ORVANE_SOURCE_DIR "/docs")
                                            .entryList({"*.md"})
                                            .replaceInStrings(QRegularExpression("^"), "docs/")) {
            const QString text = source(file);
            // An unclosed fence would swallow the rest of a file, examples included.
            QVERIFY2(text.count(QRegularExpression("^```", QRegularExpression::MultilineOption)) %
                             2 ==
                         0,
                     qPrintable(file));
            for (auto it = block.globalMatch(text); it.hasNext(); ++examples) {
                const QRegularExpressionMatch qml = it.next();
                const QString errors = runExample(
                    qml.captured(1).isEmpty() ? qml.captured(2)
                                              : "import QtQuick 2.12\nimport Orvane 1.0\nItem {\n" +
                                                    qml.captured(2) + "}\n");
                const int line = text.left(qml.capturedStart()).count('\n') + 2;
                QVERIFY2(errors.isEmpty(),
                         qPrintable(QString("%1:%2: %3").arg(file).arg(line).arg(errors)));
            }
        }
        QVERIFY(examples > 40);
    }
};

QTEST_MAIN(TestDocs)
#include "tst_docs.moc"
