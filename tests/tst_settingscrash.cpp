#include "settings/settings.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QProcess>
#include <QQmlEngine>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

using namespace Orvane::Imports;

// A writer killed at random moments while saving must never leave a broken or mixed document.
static QString payload(int generation) {
    return QStringLiteral("generation %1, ").arg(generation).repeated(5000);
}

static int generationOf(QObject *tree) {
    auto *root = qobject_cast<SettingsMap *>(tree);
    const int generation = root ? root->value("generation").toInt() : -1;
    return root && root->keys().size() == 2 && root->value("payload") == payload(generation)
               ? generation
               : -1;
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const bool writing = argc == 4 && qstrcmp(argv[1], "--writer") == 0;
    if (writing) { // in its parent's directories
        qputenv("ORVANE_CONFIG_DIR", argv[2]);
        qputenv("ORVANE_CACHE_DIR", argv[3]);
    }
    QQmlEngine engine;
    Settings settings(&engine);
    for (int generation = generationOf(settings.load("crash", "main", &app)) + 1; writing;) {
        SettingsMap tree;
        tree.insert("generation", generation);
        tree.insert("payload", payload(generation++));
        if (!settings.save(&tree, "crash", "main"))
            return 1;
        std::puts("saved");
        std::fflush(stdout);
    }
    for (int round = 0, last = -1; round < 100; ++round) {
        QProcess writer;
        writer.start(app.applicationFilePath(),
                     {"--writer", TestEnvironment::configDir(), TestEnvironment::cacheDir()});
        // Killed during the save after a random number of whole ones.
        const int saves = QRandomGenerator::global()->bounded(1, 5);
        int reported = 0;
        while (reported < saves && writer.waitForReadyRead(20000))
            reported += writer.readAll().count("saved");
        writer.kill();
        writer.waitForFinished(20000);
        const int generation = generationOf(settings.load("crash", "main", &app));
        if (reported < saves || generation < last + reported)
            return 1; // broken, or older than the saves it reported
        last = generation;
    }
}
