#include "testenvironment.h"
#include "testprocess.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// The example desktop as ./run.sh shows it, with its documents in a directory of the test's.
class TestDesktop : public QObject {
    Q_OBJECT

    // Its picture; a null one when it failed or the library warned, with the reason in errors.
    static QImage show(const QTemporaryDir &dir, const QStringList &arguments, QString *errors) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"config", "cache", "storage"})
            env.insert(QString("ORVANE_%1_DIR").arg(name).toUpper(), dir.filePath(name));
        env.insert("ORVANE_EXAMPLES_DIR", ORVANE_SOURCE_DIR "/examples");
        env.insert("QT_LOGGING_RULES", "orvane.*=true");
        const QString shot = dir.filePath("shot.png");
        QFile::remove(shot);
        const TestProcess host =
            TestProcess::run(ORVANE_BUILD_DIR "/bin/orvane-host",
                             QStringList{"--size", "1280x800", "--screenshot", shot} + arguments +
                                 QStringList{ORVANE_SOURCE_DIR "/examples/desktop/main.qml"},
                             env);
        *errors = QString::fromLocal8Bit(host.errors);
        return host.succeeded() && !errors->contains("orvane.core") ? QImage(shot) : QImage();
    }

private slots:
    void twoRuns() {
        QTemporaryDir dir;
        QString errors;
        const QString clock = dir.filePath("config/examples/clock/clock.xml");
        const QString on = "<value name=\"use24Hour\">true</value>";
        const QString off = "<value name=\"use24Hour\">false</value>";
        for (const int run : {1, 2}) {
            const QImage image =
                show(dir, {"--after", "1500", "--trigger", "Say goodbye (asks first)"}, &errors);
            QVERIFY2(image.size() == QSize(1280, 800), qPrintable(errors));
            QVERIFY(image.pixelColor(200, 100) != image.pixelColor(1200, 700));
            QVERIFY(QFile::exists(dir.filePath("config/examples/launcher.xml")));
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
    void launcherAndFolderEntries() {
        QTemporaryDir dir;
        QString errors;
        const QImage hidden = show(dir, {"--after", "1000", "--trigger", "clock"}, &errors);
        QVERIFY2(!hidden.isNull(), qPrintable(errors));
        const QImage back =
            show(dir, {"--after", "1000", "--trigger", "clock", "--trigger", "clock"}, &errors);
        QVERIFY2(!back.isNull(), qPrintable(errors));
        const QImage failed = show(dir,
                                   {"--after", "1000", "--trigger", "main.qml", "--trigger",
                                    "clock", "--trigger", "clock"},
                                   &errors);
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

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
