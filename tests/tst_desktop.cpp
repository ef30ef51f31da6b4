#include "testenvironment.h"
#include "testprocess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// The example desktop as ./run.sh shows it, twice in a row on fresh directories.
class TestDesktop : public QObject {
    Q_OBJECT

    // The desktop's documents in a directory of the test's own.
    static QProcessEnvironment environment(const QTemporaryDir &dir) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORVANE_CONFIG_DIR", dir.filePath("config"));
        env.insert("ORVANE_CACHE_DIR", dir.filePath("cache"));
        env.insert("ORVANE_STORAGE_DIR", dir.filePath("storage"));
        env.insert("ORVANE_EXAMPLES_DIR", ORVANE_SOURCE_DIR "/examples");
        env.insert("QT_LOGGING_RULES", "orvane.*=true");
        return env;
    }

private slots:
    void twoRuns() {
        QTemporaryDir dir;
        const QString clock = dir.filePath("config/examples/clock/clock.xml");
        const QString on = "<value name=\"use24Hour\">true</value>";
        const QString off = "<value name=\"use24Hour\">false</value>";
        const QString shot = dir.filePath("shot%1.png");
        for (const int run : {1, 2}) {
            const TestProcess host =
                TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host",
                                 {"--size", "1280x800", "--after", "1500", "--screenshot",
                                  shot.arg(run), "--trigger", "Say goodbye (asks first)",
                                  ORVANE_SOURCE_DIR "/examples/desktop/main.qml"},
                                 environment(dir));
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

    // A click on the clock shows or hides the launcher; a folder entry that cannot be
    // opened (nothing opens files offscreen) says so with a notification.
    void launcherAndFolderEntries() {
        QTemporaryDir dir;
        const auto show = [&dir](const QStringList &triggers, QString *errors) {
            QStringList arguments{"--size", "1280x800",     "--after",
                                  "1000",   "--screenshot", dir.filePath("shot.png")};
            for (const QString &name : triggers)
                arguments << "--trigger" << name;
            const TestProcess host = TestProcess::run(
                ORVANE_BUILD_DIR "/bin/orvane-host",
                arguments << ORVANE_SOURCE_DIR "/examples/desktop/main.qml", environment(dir));
            *errors = QString::fromLocal8Bit(host.errors);
            return host.succeeded() && !errors->contains("orvane.core")
                       ? QImage(dir.filePath("shot.png"))
                       : QImage();
        };
        QString errors;
        const QImage hidden = show({"clock"}, &errors);
        QVERIFY2(!hidden.isNull(), qPrintable(errors));
        const QImage back = show({"clock", "clock"}, &errors);
        QVERIFY2(!back.isNull(), qPrintable(errors));
        const QImage failed = show({"main.qml", "clock", "clock"}, &errors);
        QVERIFY2(!failed.isNull(), qPrintable(errors));
        QVERIFY2(
            errors.contains("cannot open file://" ORVANE_SOURCE_DIR "/examples/desktop/main.qml"),
            qPrintable(errors));

        // An entry row of the launcher, then the place of a second notification.
        const QPoint row(1000, 400), second(1000, 120);
        QVERIFY(hidden.pixelColor(row) != back.pixelColor(row));
        QCOMPARE(failed.pixelColor(row), back.pixelColor(row));
        QVERIFY(failed.pixelColor(second) != back.pixelColor(second));
    }
};

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
