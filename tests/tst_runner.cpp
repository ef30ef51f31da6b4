#include "testenvironment.h"
#include "testprocess.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

// Counts its starts in its settings, so a reload shows whether they were kept.
const char *const previewWidget = R"(import QtQuick 2.12
import Orvane 1.0
import "parts"
Item {
    id: thiz
    property int starts: 0
    SettingsMap.source: Settings.load('preview', 'main') || Settings.createMap(thiz)
    onStartsChanged: Qt.callLater(save)
    function save() { Settings.save(SettingsMap.source, 'preview', 'main') }
    Part { id: part }
    Component.onCompleted: Qt.callLater(() => console.log('%1 ' + part.name + ' starts ' + ++starts))
})";

} // namespace

// The runner as a user starts it, on test widgets and on the example desktop as ./run.sh
// shows it; with --watch it loads the widget again when one of its files changes.
class TestRunner : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_png = m_dir.filePath("shot.png");

    // The exit code (-1 timed out, -2 crashed) and the standard error; its picture is m_png.
    std::pair<int, QString>
    run(const QStringList &arguments,
        const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
        QFile::remove(m_png);
        const TestProcess host =
            TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host", arguments, env);
        return {host.code, QString::fromLocal8Bit(host.errors)};
    }

    // The example desktop's picture after the triggers, its documents under dir; null when it
    // failed or the library warned.
    QImage desktop(const QString &dir, const char *after, const QStringList &triggers,
                   QString *errors) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"CONFIG", "CACHE", "STORAGE"})
            env.insert(QString("ORVANE_%1_DIR").arg(name), dir + '/' + name);
        env.insert("ORVANE_EXAMPLES_DIR", ORVANE_SOURCE_DIR "/examples");
        env.insert("QT_LOGGING_RULES", "orvane.*=true");
        QStringList arguments{"--size", "1280x800", "--screenshot", m_png, "--after", after};
        for (const QString &name : triggers)
            arguments << "--trigger" << name;
        int code;
        std::tie(code, *errors) =
            run(arguments << ORVANE_SOURCE_DIR "/examples/desktop/main.qml", env);
        return code == 0 && !errors->contains("orvane.core") ? QImage(m_png) : QImage();
    }

    QString write(const QString &name, const QString &content) {
        const QString path = m_dir.filePath(name);
        return TestEnvironment::writeFile(path, content.toUtf8()) ? path : QString();
    }

private slots:
    void screenshots() {
        write("scene.qml",
              "import QtQuick 2.12\nimport QtQuick.Window 2.12\nimport Orvane 1.0\n"
              "Rectangle { color: '#ff0000'; Rectangle { x: 10; y: 10; width: 5; height: 5; "
              "color: LauncherCompositor.visible ? 'black' : '#00ff00' }\n"
              "  QtObject { objectName: 'opener'; function trigger() { box.visible = true } }\n"
              "  Window { id: box; flags: Qt.Dialog; width: 20; height: 10; color: '#0000ff' } }");
        write("window.qml", "import QtQuick 2.12\nimport QtQuick.Window 2.12\n"
                            "Window { width: 30; height: 20; visible: true; color: '#0000ff' }");
        write("item.qml",
              "import QtQuick 2.12\nRectangle { width: 30; height: 20; color: '#00ff00' }");
        // The arguments, then the picture's size and some of its pixels.
        for (const QString &shot :
             QStringList{"--size 64x48 --after 100 scene.qml|64x48 40,40=#ff0000 12,12=#00ff00 "
                         "32,24=#ff0000",
                         // A triggered dialog is in the picture, centred as a window manager would
                         // place it.
                         "--size 64x48 --after 100 --trigger opener scene.qml|64x48 32,24=#0000ff "
                         "40,40=#ff0000",
                         // With no delay the picture is taken once the first frame exists, whatever
                         // the root.
                         "--after 0 window.qml|30x20 15,10=#0000ff",
                         "--after 1 window.qml|30x20 15,10=#0000ff",
                         "--after 0 item.qml|30x20 15,10=#00ff00"}) {
            QStringList arguments = shot.section('|', 0, 0).split(' ');
            arguments.last() = m_dir.filePath(arguments.last());
            const auto [code, errors] = run(QStringList{"--screenshot", m_png} + arguments);
            QVERIFY2(code == 0 && !errors.contains("grabToImage"), qPrintable(errors));
            const QImage image(m_png);
            const QStringList expected = shot.section('|', 1).split(QRegularExpression("[ ,=]"));
            QCOMPARE(QString("%1x%2").arg(image.width()).arg(image.height()), expected[0]);
            for (int i = 1; i < expected.size(); i += 3)
                QCOMPARE(image.pixelColor(expected[i].toInt(), expected[i + 1].toInt()),
                         QColor(expected[i + 2]));
        }
    }

    void failures() {
        const QString broken =
            write("broken.qml", "import QtQuick 2.12\nItem { width: 10; nosuchproperty: 3 }\n");
        write("plain.qml", "import QtQuick 2.12\nItem {}\n");
        // The arguments, the exit code and what it says, %1 standing for the test's directory.
        for (const QString &failure :
             QStringList{"broken.qml|1|broken.qml:2 Cannot assign to non-existent property "
                         "\"nosuchproperty\"\n"
                         "orvane-host: cannot load %1/broken.qml",
                         "missing.qml|2|orvane-host: no such file: %1/missing.qml",
                         "--size wide plain.qml|2|orvane-host: invalid size: wide",
                         "--screenshot shot.png --trigger nobody plain.qml|2|orvane-host: nothing "
                         "to trigger "
                         "named nobody"}) {
            QStringList arguments = failure.section('|', 0, 0).split(' ');
            arguments.last() = m_dir.filePath(arguments.last());
            const auto [code, errors] = run(arguments);
            QVERIFY2(code == failure.section('|', 1, 1).toInt() &&
                         errors.contains(failure.section('|', 2).arg(m_dir.path())),
                     qPrintable(errors));
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
        for (int y = 0; y < 100 * 320 && !text; ++y)
            text = image.pixelColor(y % 320, y / 320).red() > 0xc0;
        QVERIFY(text);
    }

    void reloadsOnChange() {
        const QString main = write("widget/Main.qml", QString(previewWidget).arg("edition-1"));
        const auto part = [this](const char *name) {
            return write(
                "widget/parts/Part.qml",
                QString("import QtQml 2.12\nQtObject { property string name: '%1' }").arg(name));
        };
        part("a");
        QProcess host;
        QString output;
        host.setProcessChannelMode(QProcess::MergedChannels);
        connect(&host, &QProcess::readyRead, this,
                [&] { output += QString::fromLocal8Bit(host.readAll()); });
        host.start(ORVANE_BUILD_DIR "/bin/orvane-host", {"--watch", main});
        const auto shows = [&output](const QString &text) {
            return QTest::qWaitFor([&] { return output.contains(text); }, 30000);
        };
        QVERIFY2(shows("edition-1 a starts 1"), qPrintable(output));
        // The file itself, then one in a folder below; the settings carry over.
        write("widget/Main.qml", QString(previewWidget).arg("edition-2"));
        QVERIFY2(shows("edition-2 a starts 2"), qPrintable(output));
        part("b");
        QVERIFY2(shows("edition-2 b starts 3"), qPrintable(output));
        // A mistake is reported and the runner stays up for the fix.
        write("widget/Main.qml", "import QtQuick 2.12\nItem { nosuch: 1 }\n");
        QVERIFY2(shows("Main.qml:2 Cannot assign to non-existent property \"nosuch\"\n"
                       "orvane-host: cannot load " +
                       main),
                 qPrintable(output));
        // As editors save: a new file renamed over the old one.
        write("widget/Main.qml.new", QString(previewWidget).arg("edition-3"));
        QCOMPARE(::rename(QFile::encodeName(main + ".new"), QFile::encodeName(main)), 0);
        QVERIFY2(shows("edition-3 b starts 4"), qPrintable(output));
        // A file that is not QML, elsewhere, is no reason to reload.
        const int reloads = output.count("orvane-host: reloading");
        write("notes.txt", "x");
        QCOMPARE(host.state(), QProcess::Running);
        host.terminate();
        QVERIFY(host.waitForFinished(10000));
        QCOMPARE(output.count("orvane-host: reloading"), reloads);
        QVERIFY(TestEnvironment::readAll(TestEnvironment::configDir() + "/preview/main.xml")
                    .contains(">4<"));
    }

    void helpListsEveryOption() {
        const TestProcess host = TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host", {"--help"});
        for (const char *option :
             {"--window", "--screenshot <file>", "--after <ms>", "--size <size>",
              "--quit-after <ms>", "--trigger <name>", "--watch", "--help"}) {
            // One line each: the next line starts another option or ends the list.
            const QRegularExpression line(QRegularExpression::escape(option) + " .*\n(?! {23})");
            QVERIFY2(host.succeeded() && QString(host.output).contains(line), option);
        }
    }

    void desktopTwoRuns() {
        const QString dir = m_dir.filePath("runs"),
                      clock = dir + "/CONFIG/examples/clock/clock.xml";
        const QString on = "<value name=\"use24Hour\">true</value>",
                      off = "<value name=\"use24Hour\">false</value>";
        QString errors;
        for (const int run : {1, 2}) {
            const QImage image = desktop(dir, "1500", {"Say goodbye (asks first)"}, &errors);
            QVERIFY2(image.size() == QSize(1280, 800), qPrintable(errors));
            QVERIFY(image.pixelColor(200, 100) != image.pixelColor(1200, 700));
            QVERIFY(QFile::exists(dir + "/CONFIG/examples/launcher.xml"));
            QString saved = TestEnvironment::readAll(clock);
            QVERIFY2(saved.contains(QString("<value name=\"starts\">%1</value>").arg(run)) &&
                         saved.contains(run == 1 ? on : off),
                     qPrintable(saved));
            // What a user changed between the runs must be what the second run starts from.
            QVERIFY(TestEnvironment::writeFile(clock, saved.replace(on, off).toUtf8()));
        }
    }

    // A click on the clock shows or hides the launcher; a folder entry that cannot be opened
    // (nothing opens files offscreen) says so with a notification.
    void desktopLauncher() {
        const QString dir = m_dir.filePath("launcher");
        QString errors;
        const QImage hidden = desktop(dir, "1000", {"clock"}, &errors);
        QVERIFY2(!hidden.isNull(), qPrintable(errors));
        const QImage back = desktop(dir, "1000", {"clock", "clock"}, &errors);
        QVERIFY2(!back.isNull(), qPrintable(errors));
        const QImage failed = desktop(dir, "1000", {"main.qml", "clock", "clock"}, &errors);
        QVERIFY2(!failed.isNull() && errors.contains("cannot open file://" ORVANE_SOURCE_DIR
                                                     "/examples/desktop/main.qml"),
                 qPrintable(errors));
        // An entry row of the launcher, then the place of a second notification.
        const QPoint row(1000, 400), second(1000, 120);
        QVERIFY(hidden.pixelColor(row) != back.pixelColor(row));
        QCOMPARE(failed.pixelColor(row), back.pixelColor(row));
        QVERIFY(failed.pixelColor(second) != back.pixelColor(second));
    }
};

QTEST_GUILESS_MAIN(TestRunner)
#include "tst_runner.moc"
