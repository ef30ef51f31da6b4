#include "procreader.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QTimer>

namespace Orvane::Private {

namespace {

// The files read in this pass of the event loop, by path.
struct ReadCache {
    QHash<QString, QByteArray> files;
    int reads = 0;
    bool clearing = false;
};

ReadCache &readCache() {
    static thread_local ReadCache cache;
    return cache;
}

} // namespace

ProcReader::ProcReader(QObject *parent)
    : QObject(parent) {}

void ProcReader::setRoot(const QString &root) {
    if (m_root == root)
        return;
    m_root = root;
    emit rootChanged();
}

QByteArray ProcReader::read(const char *name) const {
    const QString path = m_root + QLatin1Char('/') + QLatin1String(name);
    ReadCache &cache = readCache();
    const auto cached = cache.files.constFind(path);
    if (cached != cache.files.constEnd())
        return *cached;
    // The next pass reads afresh: a timer's tick reaches all its sources in one pass.
    if (!cache.clearing) {
        cache.clearing = true;
        QTimer::singleShot(0, [] {
            ReadCache &cache = readCache();
            cache.files.clear();
            cache.clearing = false;
        });
    }
    ++cache.reads;
    // Files under /proc report size 0, so read until the end instead of by size.
    QByteArray content;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        char buffer[4096];
        qint64 n;
        while ((n = file.read(buffer, sizeof buffer)) > 0)
            content.append(buffer, int(n));
    }
    cache.files.insert(path, content);
    return content;
}

int ProcReader::fileReads() const {
    return readCache().reads;
}

QVariantMap ProcReader::cpu() const {
    const QByteArray stat = read("stat");
    const int end = stat.indexOf('\n');
    const QList<QByteArray> fields = stat.left(end < 0 ? stat.size() : end).simplified().split(' ');
    // cpu user nice system idle iowait irq softirq steal ...
    if (fields.size() < 5 || fields.first() != "cpu")
        return QVariantMap();
    double total = 0;
    double idle = 0;
    for (int i = 1; i < fields.size() && i <= 8; ++i) {
        bool ok = false;
        const double v = fields.at(i).toDouble(&ok);
        if (!ok)
            return QVariantMap();
        total += v;
        if (i == 4 || i == 5)
            idle += v;
    }
    return QVariantMap{{QStringLiteral("busy"), total - idle}, {QStringLiteral("total"), total}};
}

QVariantMap ProcReader::memory() const {
    static const QList<QPair<QByteArray, QString>> keys{
        {"MemTotal:", QStringLiteral("total")},
        {"MemAvailable:", QStringLiteral("available")},
        {"SwapTotal:", QStringLiteral("swapTotal")},
        {"SwapFree:", QStringLiteral("swapFree")}};
    QVariantMap result;
    const QList<QByteArray> lines = read("meminfo").split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        for (const auto &key : keys) {
            bool ok = false;
            const double v = fields.at(1).toDouble(&ok);
            if (fields.first() == key.first && ok)
                result.insert(key.second, v);
        }
    }
    if (!result.contains(QStringLiteral("total")) || !result.contains(QStringLiteral("available")))
        return QVariantMap();
    return result;
}

double ProcReader::uptime() const {
    bool ok = false;
    const double seconds = read("uptime").simplified().split(' ').value(0).toDouble(&ok);
    return ok ? seconds : -1;
}

QVariantList ProcReader::loadAverage() const {
    const QList<QByteArray> fields = read("loadavg").simplified().split(' ');
    if (fields.size() < 3)
        return QVariantList();
    QVariantList result;
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const double v = fields.at(i).toDouble(&ok);
        if (!ok)
            return QVariantList();
        result.append(v);
    }
    return result;
}

int ProcReader::cpuCount() const {
    int count = 0;
    const QList<QByteArray> lines = read("stat").split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("cpu") && line.size() > 3 && line.at(3) >= '0' && line.at(3) <= '9')
            ++count;
    }
    return count;
}

} // namespace Orvane::Private
