#include "testenvironment.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

// orvane-host --watch: the widget is loaded again when one of its files changes.
class TestLivePreview : public QObject {
    Q_OBJECT

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
    void reloadsOnChange() {
        QTemporaryDir dir;
        const QString main = dir.filePath("widget/Main.qml");
        QVERIFY(TestEnvironment::writeFile(main, widget("edition-1")));
        QVERIFY(TestEnvironment::writeFile(dir.filePath("widget/parts/Part.qml"), part("a")));

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
        QVERIFY(TestEnvironment::writeFile(dir.filePath("widget/parts/Part.qml"), part("b")));
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("edition-2 b starts 3"), qPrintable(output),
                                  10000);

        // A mistake is reported and the runner stays up for the fix.
        QVERIFY(TestEnvironment::writeFile(main, "import QtQuick 2.12\nItem { nosuch: 1 }\n"));
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("orvane-host: cannot load " + main),
                                  qPrintable(output), 10000);
        QVERIFY2(output.contains("Main.qml:2 Cannot assign to non-existent property \"nosuch\""),
                 qPrintable(output));
        QCOMPARE(host.state(), QProcess::Running);
        // As editors save: a new file renamed over the old one.
        QVERIFY(TestEnvironment::writeFile(main + ".new", widget("edition-3")));
        QCOMPARE(::rename(QFile::encodeName(main + ".new"), QFile::encodeName(main)), 0);
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains("edition-3 b starts 4"), qPrintable(output),
                                  10000);

        // A file that is not QML, elsewhere, is no reason to reload.
        const int reloads = output.count("orvane-host: reloading");
        QVERIFY(TestEnvironment::writeFile(dir.filePath("notes.txt"), "x"));
        QCOMPARE(host.state(), QProcess::Running);
        host.terminate();
        QVERIFY(host.waitForFinished(10000));
        QCOMPARE(output.count("orvane-host: reloading"), reloads);
        QCOMPARE(TestEnvironment::readAll(TestEnvironment::configDir() + "/preview/main.xml")
                     .contains(">4<"),
                 true);
    }

    // The errors take the desktop's place in the window.
    void errorInWindow() {
        QTemporaryDir dir;
        const QString main = dir.filePath("Broken.qml"), shot = dir.filePath("shot.png");
        QVERIFY(TestEnvironment::writeFile(main, "import QtQuick 2.12\nItem { nosuch: 1 }\n"));
        QProcess host;
        host.start(ORVANE_BUILD_DIR "/bin/orvane-host",
                   {"--watch", "--size", "320x200", "--screenshot", shot, "--after", "100", main});
        QVERIFY(host.waitForFinished(60000));
        const QString errors = QString::fromLocal8Bit(host.readAllStandardError());
        QVERIFY2(host.exitCode() == 0, qPrintable(errors));
        QVERIFY2(errors.contains("orvane-host: cannot load " + main), qPrintable(errors));
        const QImage image(shot);
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

    void helpListsEveryOption() {
        QProcess host;
        host.start(ORVANE_BUILD_DIR "/bin/orvane-host", {"--help"});
        QVERIFY(host.waitForFinished(30000));
        QCOMPARE(host.exitCode(), 0);
        const QStringList lines = QString::fromLocal8Bit(host.readAllStandardOutput()).split('\n');
        for (const char *option :
             {"--window", "--screenshot <file>", "--after <ms>", "--size <size>",
              "--quit-after <ms>", "--trigger <name>", "--watch", "--help"}) {
            const auto line = std::find_if(lines.begin(), lines.end(), [option](const QString &l) {
                return l.contains(QLatin1String(option) + ' ');
            });
            QVERIFY2(line != lines.end(), option);
            // One line each: the next line starts another option or ends the list.
            const QString next = line + 1 == lines.end() ? QString() : *(line + 1);
            QVERIFY2(!next.startsWith("                       "), qPrintable(next));
        }
    }
};

QTEST_GUILESS_MAIN(TestLivePreview)
#include "tst_livepreview.moc"
