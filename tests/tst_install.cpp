#include "menu/menuitemfolderoptions.h"
#include "testenvironment.h"
#include "testprocess.h"
#include "utils/urlinfo.h"

#include <QLibraryInfo>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QtQml/private/qhashedstring_p.h>
#include <QtQml/private/qqmlmetatype_p.h>
#include <QtTest>

// `cmake --install` into a fresh prefix, then the module used from there as a widget
// author's tools use it.
class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir m_prefix;
    QString m_qmlDir;

    // Everything the program wrote, marked when it failed.
    static QString run(const QString &program, const QStringList &arguments,
                       const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
        const TestProcess process = TestProcess::run(program, arguments, env);
        return (process.succeeded() ? QString() : QStringLiteral("FAILED: ")) +
               QString::fromLocal8Bit(process.report());
    }

    static QString qtTool(const char *name) {
        return QLibraryInfo::location(QLibraryInfo::BinariesPath) + '/' + name;
    }

private slots:
    void initTestCase() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("Qt's own tools cannot load a sanitized plugin");
#endif
        const QString output =
            run("cmake", {"--install", ORVANE_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(!output.startsWith("FAILED"), qPrintable(output));
        m_qmlDir = m_prefix.filePath("lib/qt5/qml");
    }

    void typeDescriptions() {
        const QString dir = m_qmlDir + "/Orvane/";
        QVERIFY(TestEnvironment::readAll(dir + "qmldir").contains("\ntypeinfo plugins.qmltypes\n"));
        const QString description = TestEnvironment::readAll(dir + "plugins.qmltypes");
        QQmlEngine engine;
        engine.addImportPath(m_qmlDir);
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.12\nimport Orvane 1.0\nQtObject {}", QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));

        // Every name the module exports, and no one else's: other modules describe their own.
        QSet<QString> registered, described;
        for (const QQmlType &type : QQmlMetaType::qmlAllTypes()) {
            if ((type.module() == "Orvane" || type.module() == "Orvane.impl") &&
                !type.elementName().isEmpty())
                registered.insert(type.module() + '/' + type.elementName() + " 1.0");
        }
        static const QRegularExpression exports("exports: \\[\"([^\"]+)\"");
        for (auto it = exports.globalMatch(description); it.hasNext();)
            described.insert(it.next().captured(1));
        QCOMPARE(described, registered);
        QVERIFY(registered.contains("Orvane/SFX 1.0")); // script singletons too
        QVERIFY2(!description.contains("_QMLTYPE_"), "internal type names");
        // Every type a description uses is described here.
        static const QRegularExpression used(
            "(?:type|prototype|attachedType): \"(Orvane::[\\w:]+)\"");
        for (auto it = used.globalMatch(description); it.hasNext();) {
            const QString name = it.next().captured(1);
            QVERIFY2(description.contains("name: \"" + name + "\"\n") ||
                         description.contains("name: \"" + name.section("::", 0, -2) + "\"\n"),
                     qPrintable(name));
        }
        // The value types, property by property as the running code has them.
        for (const QMetaObject *meta :
             {&Orvane::Imports::UrlInfo::staticMetaObject,
              &Orvane::Imports::MenuItemFolderOptions::staticMetaObject}) {
            const int start = description.indexOf(QString("name: \"%1\"\n").arg(meta->className()));
            QVERIFY2(start >= 0, meta->className());
            const QString component =
                description.mid(start, description.indexOf("\n    }", start) - start);
            static const QRegularExpression property("Property \\{ name: \"(\\w+)\";(.*)");
            QMap<QString, bool> readOnly, described;
            for (auto it = property.globalMatch(component); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                described[match.captured(1)] = match.captured(2).contains("isReadonly: true");
            }
            for (int i = 0; i < meta->propertyCount(); ++i)
                readOnly[meta->property(i).name()] = !meta->property(i).isWritable();
            QCOMPARE(described, readOnly);
        }
    }

    void relocatable() {
        for (const char *binary :
             {"lib/qt5/qml/Orvane/libcoreplugin.so",
              "lib/qt5/qml/Orvane/Private/liborvaneprivateplugin.so", "bin/orvane-host"}) {
            const QString dynamic = run("readelf", {"-d", m_prefix.filePath(binary)});
            QVERIFY2(dynamic.contains("[$ORIGIN/") && !dynamic.contains(ORVANE_BUILD_DIR), binary);
        }
    }

    // The stock qmlscene with the installed module on its import path, then the installed
    // runner with nothing set, which finds the module and the stock sounds under its prefix.
    void installedWidget() {
        const QString widget = ORVANE_SOURCE_DIR "/tests/qml/installedwidget.qml";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QML2_IMPORT_PATH", m_qmlDir);
        QString output = run(qtTool("qmlscene"), {widget}, env);
        QVERIFY2(!output.startsWith("FAILED") && output.contains("installed: true hello 14 b.txt "),
                 qPrintable(output));
        QVERIFY(QFile::remove(TestEnvironment::configDir() + "/installed/widget.xml"));
        for (const char *variable : {"QML2_IMPORT_PATH", "ORVANE_SOUNDS_DIR", "LD_LIBRARY_PATH"})
            env.remove(variable);
        output = run(m_prefix.filePath("bin/orvane-host"), {widget}, env);
        const QString sound = m_prefix.filePath("share/orvane/sounds/PopupMenu.wav");
        QVERIFY2(!output.startsWith("FAILED") && output.contains("hello 14 b.txt " + sound),
                 qPrintable(output));
        QVERIFY(QFileInfo(sound).size() > 44);
    }

    // The guide's widgets pass qmllint against the installed module and Qt's own modules.
    void qmllintOnGuide() {
        QStringList files;
        const QStringList lines =
            QString(TestEnvironment::readAll(ORVANE_SOURCE_DIR "/docs/guide.md")).split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i] != "```qml")
                continue;
            QStringList body;
            while (++i < lines.size() && !lines[i].startsWith("```"))
                body.append(lines[i]);
            files.append(m_prefix.filePath(QString("Widget%1.qml").arg(files.size())));
            QVERIFY(TestEnvironment::writeFile(files.last(), body.join('\n').toUtf8()));
        }
        QVERIFY(files.size() >= 6);
        const QString output = run(
            qtTool("qmllint"), QStringList{"-U", "-I", m_qmlDir, "-I",
                                           QLibraryInfo::location(QLibraryInfo::Qml2ImportsPath)} +
                                   files);
        QVERIFY2(output.isEmpty(), qPrintable(output));
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
