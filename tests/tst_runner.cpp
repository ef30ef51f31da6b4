#include "testenvironment.h"
#include "testprocess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// The shell program as a user starts it.
class TestRunner : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // The exit code (-1 timed out, -2 crashed), then the standard error.
    static std::pair<int, QString> run(const QStringList &arguments) {
        const TestProcess host = TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host", arguments);
        return {host.code, QString::fromLocal8Bit(host.errors)};
    }

private slots:
    void screenshot() {
        const QString qml = m_dir.filePath("item.qml"), png = m_dir.filePath("shot.png");
        QVERIFY(TestEnvironment::writeFile(
            qml,
            "import QtQuick 2.12\nimport QtQuick.Window 2.12\nimport Orvane 1.0\n"
            "Rectangle { color: '#ff0000'; Rectangle { x: 10; y: 10; width: 5; height: 5; "
            "color: LauncherCompositor.visible ? 'black' : '#00ff00' }\n"
            "  QtObject { objectName: 'opener'; function trigger() { box.visible = true } }\n"
            "  Window { id: box; flags: Qt.Dialog; width: 20; height: 10; color: '#0000ff' } }"));
        auto [code, errors] = run({"--size", "64x48", "--screenshot", png, "--after", "100", qml});
        QVERIFY2(code == 0, qPrintable(errors));
        QImage image(png);
        QCOMPARE(image.size(), QSize(64, 48));
        QCOMPARE(image.pixelColor(40, 40), QColor(0xff, 0, 0));
        QCOMPARE(image.pixelColor(12, 12), QColor(0, 0xff, 0));
        QCOMPARE(image.pixelColor(32, 24), QColor(0xff, 0, 0));

        // A triggered dialog is in the picture, centred as a window manager would place it.
        std::tie(code, errors) = run(
            {"--size", "64x48", "--screenshot", png, "--after", "100", "--trigger", "opener", qml});
        QVERIFY2(code == 0, qPrintable(errors));
        image.load(png);
        QCOMPARE(image.pixelColor(32, 24), QColor(0, 0, 0xff));
        QCOMPARE(image.pixelColor(40, 40), QColor(0xff, 0, 0));

        std::tie(code, errors) = run({"--screenshot", png, "--trigger", "nobody", qml});
        QCOMPARE(code, 2);
        QVERIFY2(errors.contains("orvane-host: nothing to trigger named nobody"),
                 qPrintable(errors));
    }

    void screenshotAtFirstFrame() {
        // With no delay the picture is taken once the first frame exists, whatever the root.
        const QString window = m_dir.filePath("window.qml"), item = m_dir.filePath("plain.qml");
        const QString png = m_dir.filePath("first.png");
        QVERIFY(TestEnvironment::writeFile(
            window, "import QtQuick 2.12\nimport QtQuick.Window 2.12\n"
                    "Window { width: 30; height: 20; visible: true; color: '#0000ff' }\n"));
        QVERIFY(TestEnvironment::writeFile(
            item, "import QtQuick 2.12\nRectangle { width: 30; height: 20; color: '#00ff00' }\n"));
        const std::tuple<QString, QString, QColor> cases[] = {{window, "0", QColor(0, 0, 0xff)},
                                                              {window, "1", QColor(0, 0, 0xff)},
                                                              {item, "0", QColor(0, 0xff, 0)}};
        for (const auto &[qml, after, colour] : cases) {
            QFile::remove(png);
            const auto [code, errors] = run({"--screenshot", png, "--after", after, qml});
            QVERIFY2(code == 0, qPrintable(errors));
            QVERIFY2(!errors.contains("grabToImage"), qPrintable(errors));
            const QImage image(png);
            QCOMPARE(image.size(), QSize(30, 20));
            QCOMPARE(image.pixelColor(15, 10), colour);
        }
    }

    void failures() {
        const QString broken = m_dir.filePath("broken.qml");
        QVERIFY(TestEnvironment::writeFile(
            broken, "import QtQuick 2.12\nItem { width: 10; nosuchproperty: 3 }\n"));
        const std::pair<QStringList, QStringList> cases[] = {
            {{broken}, {"broken.qml:2", "orvane-host: cannot load"}},
            {{m_dir.filePath("missing.qml")}, {"orvane-host: no such file: "}},
            {{"--size", "wide", broken}, {"orvane-host: invalid size: wide"}}};
        for (const auto &[arguments, messages] : cases) {
            const auto [code, errors] = run(arguments);
            QVERIFY2(code != 0, qPrintable(errors));
            for (const QString &message : messages)
                QVERIFY2(errors.contains(message), qPrintable(errors));
        }
    }
};

QTEST_GUILESS_MAIN(TestRunner)
#include "tst_runner.moc"
