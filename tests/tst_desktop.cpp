#include "testenvironment.h"
#include "testprocess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// The example desktop as ./run.sh shows it, twice in a row on fresh directories.
class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void twoRuns() {
        QTemporaryDir dir;
        const QString clock = dir.filePath("config/examples/clock/clock.xml");
        const QString on = "<value name=\"use24Hour\">true</value>";
        const QString off = "<value name=\"use24Hour\">false</value>";
        const QString shot = dir.filePath("shot%1.png");
        for (const int run : {1, 2}) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("ORVANE_CONFIG_DIR", dir.filePath("config"));
            env.insert("ORVANE_CACHE_DIR", dir.filePath("cache"));
            env.insert("ORVANE_STORAGE_DIR", dir.filePath("storage"));
            env.insert("ORVANE_EXAMPLES_DIR", ORVANE_SOURCE_DIR "/examples");
            env.insert("QT_LOGGING_RULES", "orvane.*=true");
            const TestProcess host =
                TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host",
                                 {"--size", "1280x800", "--after", "1500", "--screenshot",
                                  shot.arg(run), "--trigger", "Say goodbye (asks first)",
                                  ORVANE_SOURCE_DIR "/examples/desktop/main.qml"},
                                 env);
            QVERIFY2(host.succeeded() && !host.errors.contains("orvane.core"),
                     host.errors.constData());
            QVERIFY(QFile::exists(dir.filePath("config/examples/launcher.xml")));
            const QImage image(shot.arg(run));
            QCOMPARE(image.size(), QSize(1280, 800));
            QVERIFY(image.pixelColor(200, 100) != image.pixelColor(1200, 700));
            QString saved = TestEnvironment::readAll(clock);
            QVERIFY2(saved.contains(QString("<value name=\"starts\">%1</value>").arg(run)),
                     qPrintable(saved));
            QVERIFY(saved.contains(run == 1 ? on : off));
            // What a user changed between the runs must be what the second run starts from.
            QVERIFY(TestEnvironment::writeFile(clock, saved.replace(on, off).toUtf8()));
        }
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
