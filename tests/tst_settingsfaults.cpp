#include "menu/menusettings.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingslist.h"
#include "settings/settings.h"
#include "settings/settingslist.h"
#include "testenvironment.h"

#include <QGuiApplication>
#include <QLocalServer>
#include <QProcess>
#include <QQmlEngine>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Orvane::Imports;

namespace {

const int entries = 3000; // a document of about 100 KiB: more than one write of a pipe or page

// One writer's whole tree: every value names the writer.
QObject *tree(const QString &writer) {
    auto *list = new SettingsList;
    list->appendAll(QVector<QVariant>(entries, writer).toList());
    return list;
}

// The one writer of a whole loaded tree, or "" when it is anything else.
QString writerOf(QObject *loaded) {
    const QScopedPointer<QObject> owned(loaded);
    auto *list = qobject_cast<SettingsList *>(loaded);
    const QVariantList values = list ? list->values() : QVariantList();
    return values.size() == entries && values.count(values.first()) == entries
               ? values.first().toString()
               : QString();
}

// Saves with the file size limited, as a full disk would cut the write.
template <typename Save> bool saveLimited(Save save) {
    rlimit saved, limited;
    getrlimit(RLIMIT_FSIZE, &saved);
    limited = {16384, saved.rlim_max};
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
    // Bytes that do not all reach the disk fail the save and keep the previous document.
    void fullDisk() {
        const QStringList names{"main.xml", "raw", "menu.xml"};
        for (const QString &name : names) {
            QVERIFY(settings.write("before", "full", name));
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("SettingsStore::commit: cannot write file: " + cache +
                                            "/Configs/full/" + name));
        }
        QScopedPointer<QObject> big(tree("big")), bigMenu(menus.create());
        static_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(bigMenu.data())->items())
            ->create()
            ->setLabel(QString(65536, 'x'));
        QVERIFY(!saveLimited([&] { return settings.save(big.data(), "full", "main"); }));
        QVERIFY(
            !saveLimited([&] { return settings.write(QByteArray(65536, 'x'), "full", "raw"); }));
        QVERIFY(!saveLimited([&] { return menus.save(bigMenu.data(), "full", "menu"); }));
        for (const QString &name : names)
            QCOMPARE(TestEnvironment::readAll(config + "/full/" + name), QByteArray("before"));
        QVERIFY(settings.save(big.data(), "full", "main")); // with room again
        QCOMPARE(writerOf(settings.load("full", "main")), QString("big"));
    }

    // Writer processes saving one document, many rounds: every state of the file is one
    // writer's whole document.
    void concurrentProcesses() {
        QList<QProcess *> writers;
        for (const char *name : {"w0", "w1", "w2", "w3"}) {
            writers << new QProcess(this);
            writers.last()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            writers.last()->start(QCoreApplication::applicationFilePath(),
                                  {"--writer", "race", name, config, cache});
        }
        const QString target = config + "/race/main.xml", copy = TestEnvironment::root() + "/copy";
        const auto running = [&] {
            return std::any_of(writers.begin(), writers.end(), [](QProcess *writer) {
                return writer->state() != QProcess::NotRunning && !writer->waitForFinished(1);
            });
        };
        while (running()) {
            if (!QFile::exists(target))
                continue;
            QFile::remove(copy);
            QVERIFY(QFile::copy(target, copy) &&
                    writerOf(settings.loadFromFile(copy)).startsWith("w"));
        }
        for (QProcess *writer : writers)
            QVERIFY(writer->exitStatus() == QProcess::NormalExit && writer->exitCode() == 0);
        QVERIFY(writerOf(settings.load("race", "main")).startsWith("w"));
        QCOMPARE(QDir(config + "/race").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"main.xml"});
        QVERIFY(QDir(cache + "/Configs/race").isEmpty());
    }

    // A FIFO, device or socket in place of a document is refused at once.
    void specialFiles() {
        QVERIFY(QDir().mkpath(config + "/special"));
        const QString fifo = config + "/special/main.xml", open = ": cannot open file: ";
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QVERIFY(QFile::link(fifo, config + "/special/menu.xml"));
        QLocalServer socket;
        QVERIFY(socket.listen(config + "/special/socket.xml"));
        for (const QString &path : {fifo, QString("/dev/null"), socket.fullServerName()}) {
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::loadFromFile" + open + path));
            QVERIFY(!settings.loadFromFile(path));
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Settings::readFromFile" + open + path));
            QVERIFY(!settings.readFromFile(path).isValid());
        }
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
        QScopedPointer<QObject> map(settings.createMap()), root(menus.create());
        const QList<QPair<QString, QString>> places{
            {"..", "outside"}, {"a", "../../outside"}, {"a/../..", "outside"}};
        for (const auto &[directory, name] : places) {
            const QString path = config + "/" + directory + "/" + name;
            for (const QString &message :
                 {"SettingsStore::open: cannot open file: " + path + ".xml",
                  "SettingsStore::open: cannot open file: " + path,
                  "SettingsStore::open: cannot open file: " + path + ".xml",
                  "Settings::loadFromFile: cannot open file: " + path + ".xml",
                  "MenuSettings::load: cannot open file: " + path + ".xml",
                  "Settings::readFromFile: cannot open file: " + path})
                QTest::ignoreMessage(QtWarningMsg, qPrintable(message));
            QVERIFY(!settings.save(map.data(), directory, name));
            QVERIFY(!settings.write("x", directory, name));
            QVERIFY(!menus.save(root.data(), directory, name));
            QVERIFY(!settings.load(directory, name) && !menus.load(directory, name));
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

    // Across file systems the target is replaced by a copy beside it, renamed. Where the
    // store can neither move nor make a directory, it says why and changes nothing.
    void commitAndItsFailures() {
        QTemporaryDir shm("/dev/shm/orvane-store-XXXXXX");
        if (!shm.isValid())
            QSKIP("no /dev/shm");
        const QByteArray data = QByteArray("across").repeated(20000);
        QVERIFY(settings.write("before", "clock", "main.xml"));
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(shm.path()));
        const bool across = settings.write(data, "clock", "main.xml");
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(cache));
        QVERIFY(across);
        QCOMPARE(TestEnvironment::readAll(config + "/clock/main.xml"), data);
        QCOMPARE(QDir(config + "/clock").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"main.xml"});
        QVERIFY(QDir(shm.path() + "/Configs/clock").isEmpty());

        QVERIFY(QDir(config).mkpath("dir/main.xml"));
        const QString move = "SettingsStore::commit: cannot move file: %1\nfrom: %2/Configs/dir/"
                             "main.xml\nto: %3/dir/main.xml";
        QTest::ignoreMessage(QtWarningMsg, qPrintable(move.arg(EISDIR, 0, 16).arg(cache, config)));
        QVERIFY(!settings.write("x", "dir", "main.xml"));
        const QString file = config + "/clock/main.xml"; // where a directory should be
        QTest::ignoreMessage(
            QtWarningMsg,
            qPrintable("SettingsStore::open: cannot create directory: " + file + "/Configs/d"));
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(file));
        const bool blocked = settings.write("x", "d", "main.xml");
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(cache));
        QVERIFY(!blocked);
        QCOMPARE(TestEnvironment::readAll(file), data);
    }

    // A writer killed while saving leaves a whole document, at least as new as the saves it
    // reported.
    void killedWriter() {
        for (int round = 0, last = -1; round < 100; ++round) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(),
                         {"--writer", "killed", QString::number(last + 1), config, cache});
            const int saves = QRandomGenerator::global()->bounded(1, 5);
            int reported = 0;
            while (reported < saves && writer.waitForReadyRead(20000))
                reported += writer.readAll().count("saved");
            writer.kill();
            writer.waitForFinished(20000);
            const QString found = writerOf(settings.load("killed", "main"));
            QVERIFY2(reported >= saves && !found.isEmpty() && found.toInt() >= last + reported,
                     qPrintable(QString("%1 saves reported, found '%2'").arg(reported).arg(found)));
            last = found.toInt();
        }
    }
};

// A writer process: saves its own tree many times or, to be killed, a newer tree each time.
static int writer(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    qputenv("ORVANE_CONFIG_DIR", argv[4]);
    qputenv("ORVANE_CACHE_DIR", argv[5]);
    QQmlEngine engine;
    Settings settings(&engine);
    const bool killed = qstrcmp(argv[2], "killed") == 0;
    QScopedPointer<QObject> saved(tree(argv[3]));
    for (int round = 0, generation = atoi(argv[3]); killed || round < 40; ++round) {
        if (killed)
            saved.reset(tree(QString::number(generation++)));
        if (!settings.save(saved.data(), argv[2], "main"))
            return 1;
        std::puts("saved");
        std::fflush(stdout);
    }
    return 0;
}

int main(int argc, char **argv) {
    if (argc == 6 && qstrcmp(argv[1], "--writer") == 0)
        return writer(argc, argv);
    QGuiApplication app(argc, argv);
    signal(SIGXFSZ, SIG_IGN); // a write past the size limit fails instead
    TestSettingsFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfaults.moc"
