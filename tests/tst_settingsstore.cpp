#include "settings/settingsstore.h"
#include "testenvironment.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orvane::Imports;

// Saves, with the environment variable if given set to value meanwhile.
static bool save(const QString &directory, const QByteArray &data, const QByteArray &variable = {},
                 const QString &value = {}) {
    const QByteArray saved = qgetenv(variable.constData());
    if (!variable.isEmpty())
        qputenv(variable.constData(), QFile::encodeName(value));
    SettingsStore store;
    QIODevice *device = store.open(directory, "main.xml");
    const bool ok = device && device->write(data) == data.size() && store.commit();
    if (!variable.isEmpty())
        qputenv(variable.constData(), saved);
    return ok;
}

class TestSettingsStore : public QObject {
    Q_OBJECT
    const QString config = TestEnvironment::configDir();
    const QString cache = TestEnvironment::cacheDir();
    const QString blocker = TestEnvironment::root() + "/blocker";

private slots:
    void replacesTarget() {
        QTemporaryDir shm("/dev/shm/orvane-store-XXXXXX"); // there a copy beside the target
        if (!shm.isValid())
            QSKIP("no /dev/shm");
        for (const QString &temporary : {cache, shm.path()}) {
            const QByteArray data = temporary.toUtf8().repeated(5000); // replaces the one before
            QVERIFY(save("clock", data, "ORVANE_CACHE_DIR", temporary));
            QCOMPARE(TestEnvironment::readAll(config + "/clock/main.xml"), data);
            QCOMPARE(QDir(config + "/clock").entryList(QDir::Files | QDir::Hidden),
                     QStringList{"main.xml"});
            QVERIFY(QDir(temporary + "/Configs/clock").isEmpty());
        }
    }

    void failures_data() {
        QTest::addColumn<QByteArray>("variable"); // pointed at a regular file
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("message");
        const QByteArray none, cacheDir = "ORVANE_CACHE_DIR", configDir = "ORVANE_CONFIG_DIR";
        const QString mkdir = "SettingsStore::open: cannot create directory: " + blocker;
        const QString open = "SettingsStore::open: cannot open file: " + config;
        const QString move = "SettingsStore::commit: cannot move file: %1\nfrom: " + cache +
                             "/Configs/%2/main.xml\nto: " + config + "/%2/main.xml";
        QTest::newRow("cache under a file") << cacheDir << "d" << mkdir + "/Configs/d";
        QTest::newRow("config under a file") << configDir << "d" << mkdir + "/d";
        QTest::newRow("absent") << none << config + "/absent" << open + "/absent/main.xml";
        QTest::newRow("immutable") << none << "locked" << move.arg(EPERM, 0, 16).arg("locked");
        QTest::newRow("directory") << none << "dir" << move.arg(EISDIR, 0, 16).arg("dir");
    }

    void failures() {
        QFETCH(QByteArray, variable);
        QFETCH(QString, directory);
        QFETCH(QString, message);
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly) && QDir(config).mkpath("dir/main.xml"));
        const QString target = QDir(config).filePath(directory + "/main.xml");
        const bool locked = directory == "locked";
        if (locked && !(save(directory, "old") && QProcess::execute("chattr", {"+i", target}) == 0))
            QSKIP("no immutable flag on this file system");
        QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
        const bool saved = save(directory, "new", variable, blocker);
        const bool unlocked = !locked || QProcess::execute("chattr", {"-i", target}) == 0;
        QVERIFY(!saved && unlocked);
        QCOMPARE(TestEnvironment::readAll(target), QByteArray(locked ? "old" : "<missing>"));
        QVERIFY(!locked ||
                (save(directory, "newer") && TestEnvironment::readAll(target) == "newer"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
