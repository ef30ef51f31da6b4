#include "menu/menuitemfolderoptions.h"
#include "testenvironment.h"
#include "testprocess.h"
#include "utils/urlinfo.h"

#include <QLibraryInfo>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QTemporaryDir>
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

private slots:
    void initTestCase() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("Qt's own tools cannot load a sanitized plugin");
#endif
        const QString output =
            run("cmake", {"--install", ORVANE_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(!output.startsWith("FAILED"), qPrintable(output));
        m_qmlDir = m_prefix.filePath("lib/qt5/qml");
        QVERIFY(QFile::exists(m_qmlDir + "/Orvane/libcoreplugin.so"));
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

        // Every name the module exports, and no one else's.
        QSet<QString> registered;
        for (const QQmlType &type : QQmlMetaType::qmlAllTypes()) {
            const QString module = type.module();
            if ((module == "Orvane" || module == "Orvane.impl") && !type.elementName().isEmpty())
                registered.insert(module + '/' + type.elementName() + " 1.0");
        }
        QSet<QString> described;
        static const QRegularExpression exports(QStringLiteral("exports: \\[\"([^\"]+)\"\\]"));
        for (auto it = exports.globalMatch(description); it.hasNext();) {
            const QString name = it.next().captured(1);
            if (name.startsWith("Orvane/") || name.startsWith("Orvane.impl/"))
                described.insert(name);
        }
        QCOMPARE(described, registered);
        QVERIFY(registered.contains("Orvane/SFX 1.0"));

        // Other modules describe their own types; every name used is described here.
        QVERIFY2(!description.contains("_QMLTYPE_"), "internal type names");
        static const QRegularExpression anyExport(QStringLiteral("exports: \\[\"([^/]+)/"));
        for (auto it = anyExport.globalMatch(description); it.hasNext();) {
            const QString module = it.next().captured(1);
            QVERIFY2(module == "Orvane" || module == "Orvane.impl", qPrintable(module));
        }
        static const QRegularExpression used(
            QStringLiteral("(?:type|prototype|attachedType): \"(Orvane::[\\w:]+)\""));
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
            const QString head = QStringLiteral("name: \"%1\"\n").arg(meta->className());
            const int start = description.indexOf(head);
            QVERIFY2(start >= 0, meta->className());
            const QString component =
                description.mid(start, description.indexOf("\n    }", start) - start);
            QCOMPARE(component.count("Property {"), meta->propertyCount());
            for (int i = 0; i < meta->propertyCount(); ++i) {
                const QMetaProperty property = meta->property(i);
                const QString line =
                    QStringLiteral("Property { name: \"%1\"; ").arg(property.name());
                const int at = component.indexOf(line);
                QVERIFY2(at >= 0, property.name());
                const QString rest = component.mid(at, component.indexOf('\n', at) - at);
                QCOMPARE(rest.contains("isReadonly: true"), !property.isWritable());
            }
        }
    }

    void relocatable() {
        for (const char *binary :
             {"lib/qt5/qml/Orvane/libcoreplugin.so",
              "lib/qt5/qml/Orvane/Private/liborvaneprivateplugin.so", "bin/orvane-host"}) {
            const QString dynamic = run("readelf", {"-d", m_prefix.filePath(binary)});
            QVERIFY2(dynamic.contains("[$ORIGIN/"), binary);
            QVERIFY2(!dynamic.contains(ORVANE_BUILD_DIR), binary);
        }
    }

    void qmlscene() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QML2_IMPORT_PATH", m_qmlDir);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        const QString output = run(QLibraryInfo::location(QLibraryInfo::BinariesPath) + "/qmlscene",
                                   {ORVANE_SOURCE_DIR "/tests/qml/installedwidget.qml"}, env);
        QVERIFY2(!output.startsWith("FAILED") && output.contains("installed: true hello 14 b.txt"),
                 qPrintable(output));
        QVERIFY(QFile::exists(env.value("ORVANE_CONFIG_DIR") + "/installed/widget.xml"));
    }

    // The installed runner, with nothing set, finds the module and the stock sounds
    // under its own prefix.
    void installedHost() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *variable : {"QML2_IMPORT_PATH", "ORVANE_SOUNDS_DIR", "LD_LIBRARY_PATH"})
            env.remove(variable);
        QTemporaryDir dir;
        const QString widget = dir.filePath("Widget.qml");
        QVERIFY(TestEnvironment::writeFile(
            widget, "import QtQuick 2.12\nimport Orvane 1.0\n"
                    "Item { Component.onCompleted: { console.log('sound: ' + "
                    "Url.toLocalFile(SFX.PopupMenu.defaultSource)); Qt.callLater(Qt.quit) } }\n"));
        const QString output = run(m_prefix.filePath("bin/orvane-host"), {widget}, env);
        QVERIFY2(!output.startsWith("FAILED"), qPrintable(output));
        const QString sound = m_prefix.filePath("share/orvane/sounds/PopupMenu.wav");
        QVERIFY2(output.contains("sound: " + sound), qPrintable(output));
        QVERIFY(QFileInfo(sound).size() > 44);
    }

    // The guide's widgets pass qmllint against the installed module and Qt's own modules.
    void qmllintOnGuide() {
        QTemporaryDir dir;
        QStringList files;
        const QStringList lines =
            QString::fromUtf8(TestEnvironment::readAll(ORVANE_SOURCE_DIR "/docs/guide.md"))
                .split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i] != "```qml")
                continue;
            QStringList body;
            while (++i < lines.size() && !lines[i].startsWith("```"))
                body.append(lines[i]);
            files.append(dir.filePath(QStringLiteral("Widget%1.qml").arg(files.size())));
            QVERIFY(TestEnvironment::writeFile(files.last(), body.join('\n').toUtf8()));
        }
        QVERIFY(files.size() >= 6);
        const QString output =
            run(QLibraryInfo::location(QLibraryInfo::BinariesPath) + "/qmllint",
                QStringList{"-U", "-I", m_qmlDir, "-I",
                            QLibraryInfo::location(QLibraryInfo::Qml2ImportsPath)} +
                    files);
        QVERIFY2(output.isEmpty(), qPrintable(output));
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
