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
// the document must always load as one whole generation, never a mix or a broken file.

namespace {

const int keys = 150;

QString text(int generation, int i) {
    return QStringLiteral("g%1 entry %2").arg(generation).arg(i);
}

SettingsMap *makeTree(int generation, QJSEngine &engine) {
    auto *root = new SettingsMap;
    root->insert("generation", generation);
    for (int i = 0; i < keys; ++i) {
        auto *list = new SettingsList(root);
        list->append(text(generation, i));
        list->append(QVariant::fromValue(engine.toScriptValue(QVariantList{generation, i})));
        root->insert(QStringLiteral("k%1").arg(i), QVariant::fromValue(list));
    }
    return root;
}

// The generation of a loaded tree, or -1 when it is not whole.
int generationOf(QObject *tree) {
    auto *root = qobject_cast<SettingsMap *>(tree);
    if (!root || root->keys().size() != keys + 1)
        return -1;
    const int generation = root->value("generation").toInt();
    for (int i = 0; i < keys; ++i) {
        auto *list = qobject_cast<SettingsList *>(
            root->value(QStringLiteral("k%1").arg(i)).value<QObject *>());
        if (!list || list->count() != 2 || list->get(0) != text(generation, i) ||
            list->get(1).value<QJSValue>().property(0).toInt() != generation)
            return -1;
    }
    return generation;
}

int runWriter() {
    QQmlEngine engine;
    Settings settings(&engine);
    QScopedPointer<QObject> old(settings.load("crash", "main"));
    int generation = old ? generationOf(old.data()) + 1 : 0;
    for (bool first = true;; first = false) {
        QElapsedTimer timer;
        timer.start();
        QScopedPointer<SettingsMap> tree(makeTree(generation++, engine));
        if (!settings.save(tree.data(), "crash", "main"))
            return 1;
        if (first) { // how long one save takes, so that the kills spread over several
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
        for (int round = 0; round < 100; ++round) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(),
                         {"--writer", TestEnvironment::configDir(), TestEnvironment::cacheDir()});
            QVERIFY(writer.waitForReadyRead(20000));
            const qint64 saveTime = qMax<qint64>(writer.readLine().trimmed().toLongLong(), 100);
            QThread::usleep(QRandomGenerator::global()->bounded(quint32(saveTime * 4)));
            writer.kill();
            QVERIFY(writer.waitForFinished(20000));
            QScopedPointer<QObject> tree(settings.load("crash", "main"));
            const int generation = generationOf(tree.data());
            QVERIFY2(generation >= last && generation >= 0, qPrintable(QString::number(round)));
            last = generation;
        }
        QVERIFY(last > 150); // most kills came after further saves, not after the first
    }
};

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--writer") == 0) {
        // The writer works in its parent's directories, not in fresh ones of its own.
        qputenv("ORVANE_CONFIG_DIR", argv[2]);
        qputenv("ORVANE_CACHE_DIR", argv[3]);
        return runWriter();
    }
    TestSettingsCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingscrash.moc"
