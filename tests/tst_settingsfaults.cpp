#include "menu/menusettings.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingslist.h"
#include "settings/settings.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QGuiApplication>
#include <QLocalServer>
#include <QProcess>
#include <QQmlEngine>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Orvane::Imports;

namespace {

const int entries = 3000; // a document of about 100 KiB: more than one write of a pipe or page

// One writer's whole tree: every value names the writer.
SettingsMap *tree(const QString &writer, QObject *parent = nullptr) {
    auto *map = new SettingsMap(parent);
    QStringList keys;
    QVector<QVariant> values;
    for (int i = 0; i < entries; ++i) {
        keys << "k" + QString::number(i);
        values << writer;
    }
    map->insertAll(keys, values);
    return map;
}

QObject *menu(MenuSettings &menus, const QString &writer) {
    QObject *root = menus.create();
    auto *items = qobject_cast<MenuSettingsList *>(root->property("items").value<QObject *>());
    for (int i = 0; i < entries / 10; ++i)
        items->create()->setLabel(writer);
    return root;
}

// The writer of a whole settings tree, or "" when it is anything else.
QString writerOf(Settings &settings, const QString &path) {
    QScopedPointer<QObject> loaded(settings.loadFromFile(path));
    auto *map = qobject_cast<SettingsMap *>(loaded.data());
    if (!map || map->count() != entries)
        return QString();
    const QString writer = map->value("k0").toString();
    for (const QString &key : map->keys())
        if (map->value(key) != writer)
            return QString();
    return writer;
}

QString menuWriterOf(MenuSettings &menus, const QString &directory) {
    QScopedPointer<QObject> root(menus.load(directory, "menu"));
    auto *items = root
                      ? qobject_cast<MenuSettingsList *>(root->property("items").value<QObject *>())
                      : nullptr;
    if (!items || items->count() != entries / 10)
        return QString();
    const QString writer = items->itemAt(0)->label();
    for (int i = 0; i < items->count(); ++i)
        if (items->itemAt(i)->label() != writer)
            return QString();
    return writer;
}

// Saves with the file size limited, as a full disk would cut the write.
template <typename Save> bool saveLimited(rlim_t limit, Save save) {
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &limited);
    const bool ok = save();
    setrlimit(RLIMIT_FSIZE, &saved);
    return ok;
}

} // namespace

// What settings and menus do when the disk, other processes or odd files get in the way.
class TestSettingsFaults : public QObject {
    Q_OBJECT
    QQmlEngine engine;
    Settings settings{&engine};
    MenuSettings menus{&engine};
    const QString config = TestEnvironment::configDir();
    const QString cache = TestEnvironment::cacheDir();

private slots:
    void initTestCase() { signal(SIGXFSZ, SIG_IGN); }

    // Bytes that do not all reach the disk fail the save and keep the previous document.
    void fullDisk() {
        QScopedPointer<QObject> small(settings.createMap());
        static_cast<SettingsMap *>(small.data())->insert("kept", true);
        QScopedPointer<QObject> root(menus.create());
        QVERIFY(settings.save(small.data(), "full", "main") &&
                settings.write("raw", "full", "raw") && menus.save(root.data(), "full", "menu"));
        const QStringList names{"main.xml", "raw", "menu.xml"};
        QByteArrayList before;
        for (const QString &name : names)
            before << TestEnvironment::readAll(config + "/full/" + name);

        QScopedPointer<SettingsMap> big(tree("big"));
        QScopedPointer<QObject> bigMenu(menu(menus, "big"));
        const QString message =
            "SettingsStore::commit: cannot write file: " + cache + "/Configs/full/";
        for (const QString &name : names)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(message + name));
        QVERIFY(!saveLimited(16384, [&] { return settings.save(big.data(), "full", "main"); }));
        QVERIFY(!saveLimited(
            16384, [&] { return settings.write(QByteArray(65536, 'x'), "full", "raw"); }));
        QVERIFY(!saveLimited(16384, [&] { return menus.save(bigMenu.data(), "full", "menu"); }));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(TestEnvironment::readAll(config + "/full/" + names.at(i)), before.at(i));
        QVERIFY(settings.save(big.data(), "full", "main")); // with room again
        QCOMPARE(writerOf(settings, config + "/full/main.xml"), QString("big"));
    }

    // The same on a small file system of its own, where mounting is allowed.
    void fullFileSystem() {
        const QString mount = TestEnvironment::root() + "/small";
        QVERIFY(QDir().mkpath(mount));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mount}) != 0)
            QSKIP("mounting a tmpfs is not allowed here");
        const QByteArray previousCache = qgetenv("ORVANE_CACHE_DIR");
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(mount));
        QScopedPointer<QObject> small(settings.createMap());
        const bool savedSmall = settings.save(small.data(), "tmpfs", "main"); // copied across
        const QByteArray before = TestEnvironment::readAll(config + "/tmpfs/main.xml");
        QScopedPointer<SettingsMap> big(tree("big"));
        QTest::ignoreMessage(QtWarningMsg, qPrintable("SettingsStore::commit: cannot write file: " +
                                                      mount + "/Configs/tmpfs/main.xml"));
        const bool savedBig = settings.save(big.data(), "tmpfs", "main");
        qputenv("ORVANE_CACHE_DIR", previousCache);
        QProcess::execute("umount", {mount});
        QVERIFY(savedSmall && !savedBig);
        QCOMPARE(TestEnvironment::readAll(config + "/tmpfs/main.xml"), before);
        QVERIFY(before.startsWith("<?xml"));
    }

    // Writer processes saving one settings document and one menu, many rounds: every
    // state of either file is one writer's whole document.
    void concurrentProcesses() {
        QList<QProcess *> writers;
        for (const char *kind : {"settings", "menu"}) {
            for (int i = 0; i < 3; ++i) {
                auto *process = new QProcess(this);
                process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
                process->start(QCoreApplication::applicationFilePath(),
                               {"--writer", kind, kind + QString::number(i), config, cache});
                writers << process;
            }
        }
        int snapshots = 0;
        const QString target = config + "/race/main.xml";
        const QString copy = TestEnvironment::root() + "/snapshot.xml";
        const auto running = [&] {
            for (QProcess *writer : writers)
                if (writer->state() != QProcess::NotRunning && !writer->waitForFinished(1))
                    return true;
            return false;
        };
        while (running()) {
            if (!QFile::exists(target) || !QFile::exists(config + "/race/menu.xml"))
                continue;
            QFile::remove(copy);
            QVERIFY(QFile::copy(target, copy));
            QVERIFY2(writerOf(settings, copy).startsWith("settings"), qPrintable(copy));
            QVERIFY(menuWriterOf(menus, "race").startsWith("menu"));
            ++snapshots;
        }
        for (QProcess *writer : writers)
            QVERIFY(writer->exitStatus() == QProcess::NormalExit && writer->exitCode() == 0);
        QVERIFY(writerOf(settings, target).startsWith("settings"));
        QVERIFY(menuWriterOf(menus, "race").startsWith("menu"));
        QCOMPARE(QDir(config + "/race").entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"main.xml", "menu.xml"}));
        QVERIFY(QDir(cache + "/Configs/race").isEmpty());
        qInfo() << snapshots << "snapshots";
    }

    // A FIFO, device or socket in place of a document is refused at once.
    void specialFiles() {
        QVERIFY(QDir().mkpath(config + "/special"));
        const QString fifo = config + "/special/main.xml";
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(QFile::link(fifo, config + "/special/menu.xml"));
        QLocalServer socket;
        QVERIFY(socket.listen(config + "/special/socket.xml"));
        const QString open = ": cannot open file: ";
        for (const QString &path : {fifo, QString("/dev/null"), socket.fullServerName()}) {
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::loadFromFile" + open + path));
            QVERIFY(!settings.loadFromFile(path));
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::readFromFile" + open + path));
            QVERIFY(!settings.readFromFile(path).isValid());
        }
        QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::loadFromFile" + open + fifo));
        QVERIFY(!settings.load("special", "main"));
        QTest::ignoreMessage(
            QtWarningMsg, qPrintable("MenuSettings::load" + open + config + "/special/menu.xml"));
        QVERIFY(!menus.load("special", "menu"));
        QTest::ignoreMessage(QtWarningMsg, qPrintable("SettingsStore::open" + open + "/dev/null"));
        QVERIFY(!settings.writeToFile("x", "/dev/null"));

        // Whatever sits at the temporary file's path is replaced, never followed.
        const QString victim = TestEnvironment::root() + "/victim";
        QVERIFY(TestEnvironment::writeFile(victim, "victim"));
        QVERIFY(QDir().mkpath(cache + "/Configs/planted"));
        QVERIFY(QFile::link(victim, cache + "/Configs/planted/main.xml"));
        QVERIFY(mkfifo(QFile::encodeName(cache + "/Configs/planted/raw").constData(), 0600) == 0);
        QScopedPointer<QObject> map(settings.createMap());
        QVERIFY(settings.save(map.data(), "planted", "main") &&
                settings.write("raw", "planted", "raw"));
        QCOMPARE(TestEnvironment::readAll(victim), QByteArray("victim"));
        QCOMPARE(TestEnvironment::readAll(config + "/planted/raw"), QByteArray("raw"));
        QVERIFY(QFileInfo(config + "/planted/main.xml").isFile());
    }

    // Relative directories and names never climb out of the configuration directory.
    void staysInside() {
        const QString outside = TestEnvironment::root() + "/outside.xml";
        QVERIFY(TestEnvironment::writeFile(outside, "<map/>") && QDir().mkpath(config + "/a"));
        QScopedPointer<QObject> map(settings.createMap());
        QScopedPointer<QObject> root(menus.create());
        const QString open = "SettingsStore::open: cannot open file: " + config + "/";
        for (const auto &place : {std::make_pair(QString(".."), QString("outside")),
                                  std::make_pair(QString("a"), QString("../../outside")),
                                  std::make_pair(QString("a/../.."), QString("outside"))}) {
            const QString &directory = place.first, &name = place.second;
            QTest::ignoreMessage(QtWarningMsg, qPrintable(open + directory + "/" + name + ".xml"));
            QVERIFY(!settings.save(map.data(), directory, name));
            QTest::ignoreMessage(QtWarningMsg, qPrintable(open + directory + "/" + name));
            QVERIFY(!settings.write("x", directory, name));
            QTest::ignoreMessage(QtWarningMsg, qPrintable(open + directory + "/" + name + ".xml"));
            QVERIFY(!menus.save(root.data(), directory, name));
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("Settings::loadFromFile: cannot open file: " + config +
                                            "/" + directory + "/" + name + ".xml"));
            QVERIFY(!settings.load(directory, name));
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("MenuSettings::load: cannot open file: " + config +
                                            "/" + directory + "/" + name + ".xml"));
            QVERIFY(!menus.load(directory, name));
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("Settings::readFromFile: cannot open file: " + config +
                                            "/" + directory + "/" + name));
            QVERIFY(!settings.read(directory, name).isValid());
            QVERIFY(!settings.exists(directory, name) && !settings.remove(directory, name));
        }
        QCOMPARE(settings.list("..").property("length").toInt(), 0);
        for (const QString &directory : {QString(".."), QString("."), QString("a/.."),
                                         QString("a/../.."), config, QFileInfo(config).path()})
            QVERIFY2(!settings.remove(directory), qPrintable(directory));
        QVERIFY(QFile::exists(outside) && QFile::exists(config + "/a"));
        // Inside, and absolute paths, work as before.
        QVERIFY(settings.save(map.data(), "a/../b", "main") && settings.exists("b", "main"));
        QVERIFY(settings.save(map.data(), TestEnvironment::root(), "outside"));
        QVERIFY(settings.remove("a") && !QFile::exists(config + "/a"));
    }
};

// A writer process of concurrentProcesses: saves its own tree many times.
static int writer(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    qputenv("ORVANE_CONFIG_DIR", QFile::encodeName(arguments.at(4)));
    qputenv("ORVANE_CACHE_DIR", QFile::encodeName(arguments.at(5)));
    QQmlEngine engine;
    Settings settings(&engine);
    MenuSettings menus(&engine);
    const QString name = arguments.at(3);
    const bool isMenu = arguments.at(2) == "menu";
    QScopedPointer<QObject> saved(isMenu ? menu(menus, name) : tree(name));
    for (int round = 0; round < 40; ++round) {
        const bool ok = isMenu ? menus.save(saved.data(), "race", "menu")
                               : settings.save(saved.data(), "race", "main");
        if (!ok)
            return 1;
    }
    return 0;
}

int main(int argc, char **argv) {
    if (argc == 6 && qstrcmp(argv[1], "--writer") == 0)
        return writer(argc, argv);
    QGuiApplication app(argc, argv);
    TestSettingsFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfaults.moc"
