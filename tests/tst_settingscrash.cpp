#include "settings/settings.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QQmlEngine>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

using namespace Orvane::Imports;

// A writer process saves a large tree over and over and is killed at random moments;
// the document must always load as one whole generation.

namespace {

const int keys = 150;

// Every value carries the generation, so a mix of two saves is visible.
SettingsMap *makeTree(int generation, QJSEngine &engine, QObject *parent) {
    auto *root = new SettingsMap(parent);
    root->insert(QStringLiteral("generation"), generation);
    for (int i = 0; i < keys; ++i) {
        auto *entry = new SettingsMap(root);
        entry->insert(QStringLiteral("text"),
                      QStringLiteral("g%1 entry %2").arg(generation).arg(i));
        entry->insert(QStringLiteral("number"), generation);
        auto *list = new SettingsList(entry);
        list->append(generation);
        list->append(QVariant::fromValue(engine.toScriptValue(QVariantList{generation, i})));
        entry->insert(QStringLiteral("list"), QVariant::fromValue(list));
        root->insert(QStringLiteral("k%1").arg(i), QVariant::fromValue(entry));
    }
    return root;
}

// The generation of a loaded tree, or -1 when it is not whole.
int generationOf(QObject *tree) {
    auto *root = qobject_cast<SettingsMap *>(tree);
    if (!root || root->keys().size() != keys + 1)
        return -1;
    const int generation = root->value(QStringLiteral("generation")).toInt();
    for (int i = 0; i < keys; ++i) {
        auto *entry = qobject_cast<SettingsMap *>(
            root->value(QStringLiteral("k%1").arg(i)).value<QObject *>());
        if (!entry || entry->value(QStringLiteral("text")) !=
                          QStringLiteral("g%1 entry %2").arg(generation).arg(i))
            return -1;
        auto *list =
            qobject_cast<SettingsList *>(entry->value(QStringLiteral("list")).value<QObject *>());
        if (entry->value(QStringLiteral("number")).toInt() != generation || !list ||
            list->count() != 2 || list->get(0).toInt() != generation ||
            list->get(1).value<QJSValue>().property(1).toInt() != i)
            return -1;
    }
    return generation;
}

int runWriter(const QString &config, const QString &cache) {
    qputenv("ORVANE_CONFIG_DIR", QFile::encodeName(config));
    qputenv("ORVANE_CACHE_DIR", QFile::encodeName(cache));
    QQmlEngine engine;
    Settings settings(&engine);
    int generation = 0;
    if (QScopedPointer<QObject> old{settings.load(QStringLiteral("crash"), QStringLiteral("main"))})
        generation = generationOf(old.data()) + 1;
    for (bool first = true;; first = false) {
        QElapsedTimer timer;
        timer.start();
        QScopedPointer<SettingsMap> tree(makeTree(generation++, engine, nullptr));
        if (!settings.save(tree.data(), QStringLiteral("crash"), QStringLiteral("main")))
            return 1;
        if (first) {
            // Tells the parent how long one save takes, so its kills spread over several.
            std::printf("%lld\n", static_cast<long long>(timer.nsecsElapsed() / 1000));
            std::fflush(stdout);
        }
    }
}

} // namespace

class TestSettingsCrash : public QObject {
    Q_OBJECT

private slots:
    void killedWhileSaving() {
        QQmlEngine engine;
        Settings settings(&engine);
        int last = -1;
        int changes = 0;
        for (int round = 0; round < 100; ++round) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("--writer"), TestEnvironment::configDir(),
                          TestEnvironment::cacheDir()});
            QVERIFY(writer.waitForReadyRead(20000));
            const qint64 saveTime = qMax<qint64>(writer.readLine().trimmed().toLongLong(), 100);
            if (round == 0)
                qInfo("one save: %lld us", saveTime);
            QThread::usleep(QRandomGenerator::global()->bounded(quint32(saveTime * 4)));
            writer.kill();
            QVERIFY(writer.waitForFinished(20000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            QScopedPointer<QObject> tree(
                settings.load(QStringLiteral("crash"), QStringLiteral("main")));
            const int generation = generationOf(tree.data());
            QVERIFY2(generation >= 0, qPrintable(QStringLiteral("round %1").arg(round)));
            QVERIFY(generation >= last);
            changes += generation != last;
            last = generation;
        }
        qInfo("generations reached: %d, changes seen: %d", last, changes);
        // The kills landed after some further saves, not only after the first.
        QVERIFY(last > 150);
    }
};

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--writer") == 0)
        return runWriter(QFile::decodeName(argv[2]), QFile::decodeName(argv[3]));
    TestSettingsCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingscrash.moc"
