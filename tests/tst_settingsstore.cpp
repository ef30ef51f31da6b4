#include "settings/settingsstore.h"
#include "testenvironment.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace Orvane::Imports;

namespace {

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool save(const QString &directory, const QString &name, const QByteArray &data) {
    SettingsStore store;
    QIODevice *device = store.open(directory, name);
    return device && device->write(data) == data.size() && store.commit();
}

// With the immutable flag not even root can replace a file.
bool setImmutable(const QString &path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

struct Environment {
    const char *name;
    QByteArray saved;
    Environment(const char *name, const QString &value)
        : name(name)
        , saved(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~Environment() { qputenv(name, saved); }
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    const QString config = TestEnvironment::configDir();
    const QString cache = TestEnvironment::cacheDir();

private slots:
    void replacesTarget() {
        QVERIFY(save("widgets/clock", "main.xml", "first"));
        QVERIFY(save("widgets/clock", "main.xml", "second, longer"));
        QCOMPARE(readAll(config + "/widgets/clock/main.xml"), QByteArray("second, longer"));
        QCOMPARE(QDir(config + "/widgets/clock").entryList(QDir::Files), QStringList{"main.xml"});
        QVERIFY(QDir(cache + "/Configs/widgets/clock").isEmpty());

        SettingsStore store;
        QVERIFY(!store.commit()); // nothing open: false, silently
        QIODevice *device = store.open("", "top");
        QCOMPARE(store.writeFilePath(), cache + "/Configs//top");
        QCOMPARE(store.targetFilePath(), config + "//top");
        QCOMPARE(store.open("x"), device); // already open: the same device, nothing else
        QVERIFY(store.commit() && !store.commit() && QFile::exists(config + "/top"));

        SettingsStore direct;
        QVERIFY(direct.open(config + "/direct.bin") && direct.isDirect());
        QVERIFY(direct.commit() && QFile::exists(config + "/direct.bin"));
        SettingsStore full; // the device fails on flush: false, without a message
        full.open("/dev/full")->write(QByteArray(100000, 'x'));
        QVERIFY(!full.commit());
    }

    void cannotOpen() {
        const QString blocker = TestEnvironment::root() + "/blocker";
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        const QPair<const char *, QString> cases[] = {{"ORVANE_CACHE_DIR", "/Configs/d"},
                                                      {"ORVANE_CONFIG_DIR", "/d"}};
        for (const auto &[variable, below] : cases) {
            Environment env(variable, blocker);
            QTest::ignoreMessage(
                QtWarningMsg,
                qPrintable("SettingsStore::open: cannot create directory: " + blocker + below));
            QVERIFY(!save("d", "n", "x"));
        }
        QTest::ignoreMessage(QtWarningMsg, qPrintable("SettingsStore::open: cannot open file: " +
                                                      config + "/absent/n"));
        QVERIFY(!save(config + "/absent", "n", "x"));
        QVERIFY(!QFileInfo::exists(config + "/absent"));
        QDir().mkpath(config + "/isdir.xml");
        QTest::ignoreMessage(QtWarningMsg, qPrintable("SettingsStore::open: cannot open file: " +
                                                      config + "/isdir.xml"));
        QVERIFY(!SettingsStore().open(config + "/isdir.xml"));
    }

    void failingMove() {
        QVERIFY(save("locked", "main.xml", "old"));
        const QString target = config + "/locked/main.xml";
        const QString temporary = cache + "/Configs/locked/main.xml";
        if (!setImmutable(target, true))
            QSKIP("no immutable flag on this file system");
        QTest::ignoreMessage(QtWarningMsg, qPrintable("SettingsStore::commit: cannot move file: 1"
                                                      "\nfrom: " +
                                                      temporary + "\nto: " + target));
        const bool saved = save("locked", "main.xml", "new");
        setImmutable(target, false);
        QVERIFY(!saved);
        QCOMPARE(readAll(target), QByteArray("old"));
        QCOMPARE(readAll(temporary), QByteArray("new"));
        QVERIFY(save("locked", "main.xml", "newer")); // rewrites the temporary file
        QCOMPARE(readAll(target), QByteArray("newer"));
        QVERIFY(!QFile::exists(temporary));

        QDir().mkpath(config + "/dir/main.xml/inside"); // a directory in the way: EISDIR, 0x15
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable("SettingsStore::commit: cannot move file: 15\nfrom: " + cache +
                                     "/Configs/dir/main.xml\nto: " + config + "/dir/main.xml"));
        QVERIFY(!save("dir", "main.xml", "new"));
    }

    void acrossFileSystems() {
        QTemporaryDir shm("/dev/shm/orvane-store-XXXXXX");
        if (!shm.isValid())
            QSKIP("no /dev/shm");
        Environment env("ORVANE_CACHE_DIR", shm.path());
        QVERIFY(save("cross", "main.xml", "old"));
        QVERIFY(save("cross", "main.xml", QByteArray(200000, 'n')));
        QCOMPARE(readAll(config + "/cross/main.xml"), QByteArray(200000, 'n'));
        QCOMPARE(QDir(config + "/cross").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"main.xml"});
        QVERIFY(QDir(shm.path() + "/Configs/cross").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
