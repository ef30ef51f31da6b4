#pragma once

#include <QObject>
#include <QVariantMap>

namespace Orvane::Private {

// Reads this machine's counters from /proc. A file is read once per pass of the event
// loop and shared by every reader of the thread, so any number of sources refreshed by
// one timer tick cost one read. A file that cannot be read gives an empty map (or -1)
// instead of numbers.
class ProcReader : public QObject {
    Q_OBJECT
    // Where the files are read from; tests may point it elsewhere.
    Q_PROPERTY(QString root READ root WRITE setRoot NOTIFY rootChanged)

public:
    explicit ProcReader(QObject *parent = nullptr);

    // Jiffies of all CPUs together: "busy" and "total" (idle and iowait count as not busy).
    Q_INVOKABLE QVariantMap cpu() const;
    // KiB: "total", "available", "swapTotal", "swapFree".
    Q_INVOKABLE QVariantMap memory() const;
    // Seconds since boot, or -1.
    Q_INVOKABLE double uptime() const;
    // Load averages over 1, 5 and 15 minutes, or an empty list.
    Q_INVOKABLE QVariantList loadAverage() const;
    // Number of processors the kernel lists.
    Q_INVOKABLE int cpuCount() const;
    // Files read so far by all readers of this thread, for the curious and the tests.
    Q_INVOKABLE int fileReads() const;
    QString root() const { return m_root; }
    void setRoot(const QString &root);

signals:
    void rootChanged();

private:
    QByteArray read(const char *name) const;

    QString m_root = QStringLiteral("/proc");
};

} // namespace Orvane::Private
