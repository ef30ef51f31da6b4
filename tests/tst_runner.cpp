#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The shell program as a user starts it.
class TestRunner : public QObject {
    Q_OBJECT

private slots:
    void screenshot();
    void failures();

private:
    struct Result {
        int exitCode;
        QString errors;
    };
    Result run(const QStringList &arguments);
    QTemporaryDir m_dir;
};

TestRunner::Result TestRunner::run(const QStringList &arguments) {
    QProcess process;
    process.start(ORVANE_BUILD_DIR "/bin/orvane-host", arguments);
    if (!process.waitForFinished(60000))
        return {-1, QStringLiteral("timed out")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

void TestRunner::screenshot() {
    const QString qml = m_dir.filePath("item.qml");
    QFile file(qml);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import QtQuick 2.12\nimport QtQuick.Window 2.12\nimport Orvane 1.0\n"
               "Rectangle { color: '#ff0000'; Rectangle { x: 10; y: 10; width: 5; height: 5; "
               "color: LauncherCompositor.visible ? 'black' : '#00ff00' }\n"
               "  QtObject { objectName: 'opener'; function trigger() { box.visible = true } }\n"
               "  Window { id: box; flags: Qt.Dialog; width: 20; height: 10; color: '#0000ff' } }");
    file.close();
    const QString png = m_dir.filePath("shot.png");
    Result result = run({"--size", "64x48", "--screenshot", png, "--after", "100", qml});
    QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
    QImage image(png);
    QCOMPARE(image.size(), QSize(64, 48));
    QCOMPARE(image.pixelColor(40, 40), QColor(0xff, 0, 0));
    QCOMPARE(image.pixelColor(12, 12), QColor(0, 0xff, 0));
    QCOMPARE(image.pixelColor(32, 24), QColor(0xff, 0, 0));

    // A triggered dialog is in the picture, centred as a window manager would place it.
    result =
        run({"--size", "64x48", "--screenshot", png, "--after", "100", "--trigger", "opener", qml});
    QVERIFY2(result.exitCode == 0, qPrintable(result.errors));
    image.load(png);
    QCOMPARE(image.pixelColor(32, 24), QColor(0, 0, 0xff));
    QCOMPARE(image.pixelColor(40, 40), QColor(0xff, 0, 0));

    result = run({"--screenshot", png, "--trigger", "nobody", qml});
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.errors.contains("orvane-host: nothing to trigger named nobody"),
             qPrintable(result.errors));
}

void TestRunner::failures() {
    const QString broken = m_dir.filePath("broken.qml");
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import QtQuick 2.12\nItem { width: 10; nosuchproperty: 3 }\n");
    file.close();
    Result result = run({broken});
    QVERIFY(result.exitCode != 0);
    QVERIFY2(result.errors.contains("broken.qml:2"), qPrintable(result.errors));
    QVERIFY(result.errors.contains("orvane-host: cannot load"));

    result = run({m_dir.filePath("missing.qml")});
    QVERIFY(result.exitCode != 0);
    QVERIFY(result.errors.contains("orvane-host: no such file: "));

    result = run({"--size", "wide", broken});
    QVERIFY(result.exitCode != 0);
    QVERIFY(result.errors.contains("orvane-host: invalid size: wide"));
}

QTEST_GUILESS_MAIN(TestRunner)
#include "tst_runner.moc"
