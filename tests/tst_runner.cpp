#include "testenvironment.h"
#include "testprocess.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

// The runner as a user starts it; with --watch the widget is loaded again when one of its
// files changes.
class TestRunner : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_png = m_dir.filePath("shot.png");

    // The exit code (-1 timed out, -2 crashed), then the standard error.
    std::pair<int, QString> run(const QStringList &arguments) {
        QFile::remove(m_png);
        const TestProcess host = TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host", arguments);
        return {host.code, QString::fromLocal8Bit(host.errors)};
    }

    QString write(const QString &name, const QByteArray &content) {
        const QString path = m_dir.filePath(name);
        return TestEnvironment::writeFile(path, content) ? path : QString();
    }

    // Counts its starts in its settings, so a reload shows whether they were kept.
    static QByteArray widget(const char *edition) {
        return QByteArray("import QtQuick 2.12\nimport Orvane 1.0\nimport \"parts\"\n"
                          "Item {\n  id: thiz\n  property int starts: 0\n"
                          "  SettingsMap.source: Settings.load('preview', 'main') || "
                          "Settings.createMap(thiz)\n"
                          "  onStartsChanged: Qt.callLater(save)\n"
                          "  function save() { Settings.save(SettingsMap.source, 'preview', "
                          "'main') }\n"
                          "  Part { id: part }\n"
                          "  Component.onCompleted: Qt.callLater(function () {\n"
                          "    ++starts\n    console.log('") +
               edition + " ' + part.name + ' starts ' + starts)\n  })\n}\n";
    }

    static QByteArray part(const char *name) {
        return QByteArray("import QtQml 2.12\nQtObject { property string name: '") + name + "' }\n";
    }

private slots:
    void screenshots() {
        const QString scene = write(
            "scene.qml",
            "import QtQuick 2.12\nimport QtQuick.Window 2.12\nimport Orvane 1.0\n"
            "Rectangle { color: '#ff0000'; Rectangle { x: 10; y: 10; width: 5; height: 5; "
            "color: LauncherCompositor.visible ? 'black' : '#00ff00' }\n"
            "  QtObject { objectName: 'opener'; function trigger() { box.visible = true } }\n"
            "  Window { id: box; flags: Qt.Dialog; width: 20; height: 10; color: '#0000ff' } }");
        const QString window = write(
            "window.qml", "import QtQuick 2.12\nimport QtQuick.Window 2.12\n"
                          "Window { width: 30; height: 20; visible: true; color: '#0000ff' }\n");
        const QString item =
            write("item.qml",
                  "import QtQuick 2.12\nRectangle { width: 30; height: 20; color: '#00ff00' }\n");
        const QColor red(0xff, 0, 0), green(0, 0xff, 0), blue(0, 0, 0xff);
        using Pixels = std::vector<std::pair<QPoint, QColor>>;
        const std::tuple<QStringList, QSize, Pixels> cases[] = {
            {{"--size", "64x48", "--after", "100", scene},
             {64, 48},
             {{{40, 40}, red}, {{12, 12}, green}, {{32, 24}, red}}},
            // A triggered dialog is in the picture, centred as a window manager would place it.
            {{"--size", "64x48", "--after", "100", "--trigger", "opener", scene},
             {64, 48},
             {{{32, 24}, blue}, {{40, 40}, red}}},
            // With no delay the picture is taken once the first frame exists, whatever the root.
            {{"--after", "0", window}, {30, 20}, {{{15, 10}, blue}}},
            {{"--after", "1", window}, {30, 20}, {{{15, 10}, blue}}},
            {{"--after", "0", item}, {30, 20}, {{{15, 10}, green}}},
        };
        for (const auto &[arguments, size, pixels] : cases) {
            const auto [code, errors] = run(QStringList{"--screenshot", m_png} + arguments);
            QVERIFY2(code == 0 && !errors.contains("grabToImage"), qPrintable(errors));
            const QImage image(m_png);
            QCOMPARE(image.size(), size);
            for (const auto &[point, colour] : pixels)
                QCOMPARE(image.pixelColor(point), colour);
        }
    }

    void failures() {
        const QString broken =
            write("broken.qml", "import QtQuick 2.12\nItem { width: 10; nosuchproperty: 3 }\n");
        const std::tuple<QStringList, int, QStringList> cases[] = {
            {{broken}, 1, {"broken.qml:2", "orvane-host: cannot load"}},
            {{m_dir.filePath("missing.qml")}, 2, {"orvane-host: no such file: "}},
            {{"--size", "wide", broken}, 2, {"orvane-host: invalid size: wide"}},
            {{"--screenshot", m_png, "--trigger", "nobody",
              write("plain.qml", "import QtQuick 2.12\nItem {}\n")},
             2,
             {"orvane-host: nothing to trigger named nobody"}}};
        for (const auto &[arguments, expected, messages] : cases) {
            const auto [code, errors] = run(arguments);
            QCOMPARE(code, expected);
            for (const QString &message : messages)
                QVERIFY2(errors.contains(message), qPrintable(errors));
        }
        // Under --watch the errors take the desktop's place in the window.
        const auto [code, errors] =
            run({"--watch", "--size", "320x200", "--screenshot", m_png, "--after", "100", broken});
        QVERIFY2(code == 0 && errors.contains("orvane-host: cannot load " + broken),
                 qPrintable(errors));
        const QImage image(m_png);
        QCOMPARE(image.size(), QSize(320, 200));
        QCOMPARE(image.pixelColor(2, 2), QColor(0x2b, 0x1d, 0x1d));
        // Its text, in the error's colour, somewhere in the top half.
        bool text = false;
        for (int y = 0; y < 100 && !text; ++y) {
            for (int x = 0; x < 320 && !text; ++x)
                text = image.pixelColor(x, y).red() > 0xc0;
        }
        QVERIFY(text);
    }

    void reloadsOnChange() {
        const QString main = write("widget/Main.qml", widget("edition-1"));
        QVERIFY(!write("widget/parts/Part.qml", part("a")).isEmpty());
        QProcess host;
        QString output;
        host.setProcessChannelMode(QProcess::MergedChannels);
        connect(&host, &QProcess::readyRead, this,
                [&] { output += QString::fromLocal8Bit(host.readAll()); });
        host.start(ORVANE_BUILD_DIR "/bin/orvane-host", {"--watch", main});
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("edition-1 a starts 1"), qPrintable(output),
                                  30000);

        // The file itself, then one in a folder below; the settings carry over.
        QVERIFY(TestEnvironment::writeFile(main, widget("edition-2")));
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("edition-2 a starts 2"), qPrintable(output),
                                  10000);
        QVERIFY(!write("widget/parts/Part.qml", part("b")).isEmpty());
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("edition-2 b starts 3"), qPrintable(output),
                                  10000);

        // A mistake is reported and the runner stays up for the fix.
        QVERIFY(TestEnvironment::writeFile(main, "import QtQuick 2.12\nItem { nosuch: 1 }\n"));
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("orvane-host: cannot load " + main),
                                  qPrintable(output), 10000);
        QVERIFY2(output.contains("Main.qml:2 Cannot assign to non-existent property \"nosuch\""),
                 qPrintable(output));
        // As editors save: a new file renamed over the old one.
        QVERIFY(TestEnvironment::writeFile(main + ".new", widget("edition-3")));
        QCOMPARE(::rename(QFile::encodeName(main + ".new"), QFile::encodeName(main)), 0);
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("edition-3 b starts 4"), qPrintable(output),
                                  10000);

        // A file that is not QML, elsewhere, is no reason to reload.
        const int reloads = output.count("orvane-host: reloading");
        QVERIFY(!write("notes.txt", "x").isEmpty());
        QCOMPARE(host.state(), QProcess::Running);
        host.terminate();
        QVERIFY(host.waitForFinished(10000));
        QCOMPARE(output.count("orvane-host: reloading"), reloads);
        QVERIFY(TestEnvironment::readAll(TestEnvironment::configDir() + "/preview/main.xml")
                    .contains(">4<"));
    }

    void helpListsEveryOption() {
        const TestProcess host = TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host", {"--help"});
        QVERIFY(host.succeeded());
        for (const char *option :
             {"--window", "--screenshot <file>", "--after <ms>", "--size <size>",
              "--quit-after <ms>", "--trigger <name>", "--watch", "--help"}) {
            // One line each: the next line starts another option or ends the list.
            const QRegularExpression line(QRegularExpression::escape(option) + " .*\n(?! {23})");
            QVERIFY2(QString::fromLocal8Bit(host.output).contains(line), option);
        }
    }
};

QTEST_GUILESS_MAIN(TestRunner)
#include "tst_runner.moc"
