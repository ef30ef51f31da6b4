#pragma once

// Shared by the document fuzzers: a process with an engine, a scratch directory
// under ORVANE_CONFIG_DIR, and the read, write, read again check.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QTemporaryDir>

#include <cstdlib>

namespace Fuzz {

inline QQmlEngine *engine() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = new QCoreApplication(argc, argv);
    static QQmlEngine *engine = new QQmlEngine(app);
    return engine;
}

inline QString scratch() {
    static QTemporaryDir dir;
    static bool set = [] {
        qputenv("ORVANE_CONFIG_DIR", QFile::encodeName(dir.path() + "/config"));
        qputenv("ORVANE_CACHE_DIR", QFile::encodeName(dir.path() + "/cache"));
        QDir(dir.path()).mkpath("config/fuzz");
        return true;
    }();
    Q_UNUSED(set)
    return dir.path() + "/config/fuzz";
}

inline void writeFile(const QString &path, const uint8_t *data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
}

inline QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the writer makes of a document must read back to the same document.
template <typename Load, typename Save>
void roundTripOnce(const uint8_t *data, size_t size, Load load, Save save) {
    const QString dir = scratch();
    writeFile(dir + "/input.xml", data, size);
    QObject *first = load(QStringLiteral("input"));
    if (!first)
        return;
    // A menu without a menu element loads but is refused by the writer.
    const bool saved = save(first, QStringLiteral("first"));
    delete first;
    if (!saved)
        return;
    QObject *second = load(QStringLiteral("first"));
    if (!second || !save(second, QStringLiteral("second")))
        std::abort();
    delete second;
    if (readFile(dir + "/first.xml") != readFile(dir + "/second.xml"))
        std::abort();
}

template <typename Load, typename Save>
void roundTrip(const uint8_t *data, size_t size, Load load, Save save) {
    roundTripOnce(data, size, load, save);
    // Readers drop what they built of a broken document with deleteLater.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Script strings live on the engine's own heap, which the leak checker cannot see.
    engine()->collectGarbage();
}

// Both document fuzzers: quiet warnings, an engine, and the reader of one API.
inline void initialize() {
    scratch();
    engine();
    QLoggingCategory::setFilterRules(QStringLiteral("orvane.*=false"));
}

template <typename Api> void fuzzReader(Api &api, const uint8_t *data, size_t size) {
    roundTrip(
        data, size, [&api](const QString &name) { return api.load(QStringLiteral("fuzz"), name); },
        [&api](QObject *tree, const QString &name) {
            return api.save(tree, QStringLiteral("fuzz"), name);
        });
}

} // namespace Fuzz
