#include "settings/settingsstore.h"
#include "testenvironment.h"

#include <QDir>
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

// Counts what reaches the host category, to prove that a case stays silent.
int messages = 0;
QtMessageHandler previousHandler = nullptr;
void countingHandler(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    ++messages;
    previousHandler(type, context, text);
}

// Sets or clears the immutable flag, with which even root cannot replace a file.
bool setImmutable(const QString &path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

class Environment {
public:
    Environment(const char *name, const QString &value)
        : name(name)
        , saved(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~Environment() { qputenv(name, saved); }

private:
    const char *name;
    QByteArray saved;
};

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private:
    QString config = TestEnvironment::configDir();
    QString cache = TestEnvironment::cacheDir();

private slots:
    void replacesTarget() {
        QVERIFY(save("widgets/clock", "main.xml", "first"));
        QVERIFY(save("widgets/clock", "main.xml", "second, longer"));
        QCOMPARE(readAll(config + "/widgets/clock/main.xml"), QByteArray("second, longer"));
        QCOMPARE(QDir(config + "/widgets/clock").entryList(QDir::Files), QStringList{"main.xml"});
        QVERIFY(QDir(cache + "/Configs/widgets/clock").isEmpty());

        SettingsStore store;
        QVERIFY(store.open("", "top"));
        QCOMPARE(store.writeFilePath(), cache + "/Configs//top");
        QCOMPARE(store.targetFilePath(), config + "//top");
        QVERIFY(!store.isDirect());
        QCOMPARE(store.open("other", "ignored"), store.open("x")); // already open: same device
        QVERIFY(store.commit());
        QVERIFY(!store.commit());
        QVERIFY(QFile::exists(config + "/top"));
    }

    void direct() {
        SettingsStore store;
        const QString path = config + "/direct.bin";
        QIODevice *device = store.open(path);
        QVERIFY(device && store.isDirect());
        device->write("in place");
        QCOMPARE(store.writeFilePath(), path);
        QVERIFY(store.commit());
        QCOMPARE(readAll(path), QByteArray("in place"));

        const QString absent = config + "/absent/dir";
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable("SettingsStore::open: cannot open file: " + absent + "/n"));
        SettingsStore missing;
        QVERIFY(!missing.open(absent, "n"));
        QVERIFY(!QFileInfo::exists(config + "/absent"));

        // A target that cannot be opened: it is a directory.
        QDir().mkpath(config + "/isdir.xml");
        QTest::ignoreMessage(QtWarningMsg, qPrintable("SettingsStore::open: cannot open file: " +
                                                      config + "/isdir.xml"));
        SettingsStore blocked;
        QVERIFY(!blocked.open(config, "isdir.xml"));
    }

    void silentFailures() {
        messages = 0;
        previousHandler = qInstallMessageHandler(countingHandler);
        SettingsStore never;
        const bool committed = never.commit();
        // A device error on flush fails the commit without a message.
        SettingsStore full;
        QIODevice *device = full.open("/dev/full");
        const bool opened = device != nullptr;
        if (device)
            device->write(QByteArray(100000, 'x'));
        const bool fullCommitted = full.commit();
        qInstallMessageHandler(previousHandler);
        QVERIFY(!committed);
        QVERIFY(opened);
        QVERIFY(!fullCommitted);
        QCOMPARE(messages, 0);
    }

    void cannotCreateDirectory() {
        const QString blocker = TestEnvironment::root() + "/blocker";
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        {
            Environment env("ORVANE_CACHE_DIR", blocker);
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("SettingsStore::open: cannot create directory: " +
                                            blocker + "/Configs/d"));
            QVERIFY(!save("d", "n", "x"));
        }
        {
            Environment env("ORVANE_CONFIG_DIR", blocker);
            QTest::ignoreMessage(
                QtWarningMsg,
                qPrintable("SettingsStore::open: cannot create directory: " + blocker + "/d"));
            QVERIFY(!save("d", "n", "x"));
        }
    }

    void failingMove() {
        // A directory in the target's place: rename fails with EISDIR (0x15).
        QDir().mkpath(config + "/move/main.xml/inside");
        const QString from = cache + "/Configs/move/main.xml";
        const QString to = config + "/move/main.xml";
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable("SettingsStore::commit: cannot move file: 15\nfrom: " + from +
                                     "\nto: " + to));
        QVERIFY(!save("move", "main.xml", "new"));
        QCOMPARE(readAll(from), QByteArray("new"));
        QVERIFY(QFileInfo(to + "/inside").isDir());

        // An immutable old target: EPERM (0x1), the old content stays.
        QVERIFY(save("locked", "main.xml", "old"));
        const QString target = config + "/locked/main.xml";
        if (!setImmutable(target, true))
            QSKIP("the file system has no immutable flag");
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable("SettingsStore::commit: cannot move file: 1\nfrom: " + cache +
                                     "/Configs/locked/main.xml\nto: " + target));
        const bool saved = save("locked", "main.xml", "new");
        setImmutable(target, false);
        QVERIFY(!saved);
        QCOMPARE(readAll(target), QByteArray("old"));
        QCOMPARE(readAll(cache + "/Configs/locked/main.xml"), QByteArray("new"));
        // The next save rewrites the temporary file and succeeds.
        QVERIFY(save("locked", "main.xml", "newer"));
        QCOMPARE(readAll(target), QByteArray("newer"));
        QVERIFY(!QFile::exists(cache + "/Configs/locked/main.xml"));
    }

    void acrossFileSystems() {
        if (!QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            QSKIP("no /dev/shm");
        QTemporaryDir shm(QStringLiteral("/dev/shm/orvane-store-XXXXXX"));
        QVERIFY(shm.isValid());
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
