#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The example desktop as ./run.sh shows it, twice in a row on fresh directories.
class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void twoRuns();
};

void TestDesktop::twoRuns() {
    QTemporaryDir dir;
    const QString clock = dir.filePath("config/examples/clock/clock.xml");
    const QString menu = dir.filePath("config/examples/launcher.xml");
    auto run = [&](const QString &png) {
        QProcess host;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANE_CONFIG_DIR", dir.filePath("config"));
        env.insert("ORVANE_CACHE_DIR", dir.filePath("cache"));
        env.insert("ORVANE_STORAGE_DIR", dir.filePath("storage"));
        env.insert("ORVANE_EXAMPLES_DIR", ORVANE_SOURCE_DIR "/examples");
        env.insert("QT_LOGGING_RULES", "orvane.*=true");
        host.setProcessEnvironment(env);
        host.start(ORVANE_BUILD_DIR "/bin/orvane-host",
                   {"--size", "1280x800", "--after", "1500", "--screenshot", png, "--trigger",
                    "Say goodbye (asks first)", ORVANE_SOURCE_DIR "/examples/desktop/main.qml"});
        const bool finished = host.waitForFinished(60000);
        const QString errors = QString::fromLocal8Bit(host.readAllStandardError());
        return std::make_tuple(finished && host.exitCode() == 0, errors);
    };

    auto [firstOk, firstErrors] = run(dir.filePath("first.png"));
    QVERIFY2(firstOk, qPrintable(firstErrors));
    QVERIFY2(!firstErrors.contains("orvane.core"), qPrintable(firstErrors));
    QVERIFY(QFile::exists(menu));
    QFile document(clock);
    QVERIFY(document.open(QIODevice::ReadOnly));
    QByteArray saved = document.readAll();
    document.close();
    QVERIFY2(saved.contains("<value name=\"starts\">1</value>"), saved.constData());
    QVERIFY(saved.contains("<value name=\"use24Hour\">true</value>"));

    // What a user changed between the runs must be what the second run starts from.
    saved.replace("<value name=\"use24Hour\">true</value>",
                  "<value name=\"use24Hour\">false</value>");
    QVERIFY(document.open(QIODevice::WriteOnly | QIODevice::Truncate));
    document.write(saved);
    document.close();

    auto [secondOk, secondErrors] = run(dir.filePath("second.png"));
    QVERIFY2(secondOk, qPrintable(secondErrors));
    QVERIFY2(!secondErrors.contains("orvane.core"), qPrintable(secondErrors));
    QVERIFY(document.open(QIODevice::ReadOnly));
    saved = document.readAll();
    QVERIFY2(saved.contains("<value name=\"starts\">2</value>"), saved.constData());
    QVERIFY(saved.contains("<value name=\"use24Hour\">false</value>"));

    const QImage image(dir.filePath("second.png"));
    QCOMPARE(image.size(), QSize(1280, 800));
    QVERIFY(image.pixelColor(200, 100) != image.pixelColor(1200, 700));
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
