#pragma once

#include <QJSValue>
#include <QObject>
#include <QVariantMap>

namespace Orvane::Private {

class ProcReader;

// The built-in provider "system": live readings of this machine. Keys: "cpu" (load in
// percent), "memory" (in use, total as maximum), "swap" (in use), "uptime" (seconds),
// "load" (1-minute load average, processors as maximum). Memory and swap follow the unit
// the source asks for: "KiB", "MiB" (default) or "GiB". A reading that fails sets status 1.
// A value is made when it is first asked for; `values` holds those made so far.
class SystemData : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QVariantMap values READ values NOTIFY valuesChanged)
    Q_PROPERTY(Orvane::Private::ProcReader *reader READ reader CONSTANT)

public:
    explicit SystemData(QObject *parent = nullptr);

    QString title() const { return QStringLiteral("System"); }
    QVariantMap values() const { return m_values; }
    ProcReader *reader() const { return m_reader; }

    Q_INVOKABLE QObject *query(const QJSValue &key);

signals:
    void valuesChanged();

private:
    ProcReader *m_reader;
    QVariantMap m_values;
};

} // namespace Orvane::Private
