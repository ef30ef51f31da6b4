#pragma once

#include <QJSValue>
#include <QObject>
#include <QPointer>

namespace Orvane::Private {

class ProcReader;

// How a value refreshes: the source's "update" configuration and unit, and execute().
class ValueUpdate : public QObject {
    Q_OBJECT
    Q_PROPERTY(QJSValue configuration READ configuration WRITE setConfiguration NOTIFY
                   configurationChanged)
    Q_PROPERTY(QString unit READ unit WRITE setUnit NOTIFY unitChanged)

public:
    explicit ValueUpdate(QObject *parent = nullptr);

    QJSValue configuration() const { return m_configuration; }
    void setConfiguration(const QJSValue &configuration);
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit);

    Q_INVOKABLE void execute();

signals:
    void configurationChanged();
    void unitChanged();
    void executing();

private:
    QJSValue m_configuration;
    QString m_unit;
};

// One live reading of this machine, made in native code: a provider full of them costs
// little more than the objects themselves.
class SystemValue : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(double current READ current NOTIFY currentChanged)
    Q_PROPERTY(double minimum READ minimum CONSTANT)
    Q_PROPERTY(double maximum READ maximum NOTIFY maximumChanged)
    Q_PROPERTY(int status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString unit READ unit NOTIFY unitChanged)
    Q_PROPERTY(Orvane::Private::ValueUpdate *update READ update CONSTANT)

public:
    enum Kind { Cpu, Memory, Swap, Uptime, Load };

    SystemValue(Kind kind, ProcReader *reader, QObject *parent = nullptr);

    QString title() const;
    double current() const { return m_current; }
    double minimum() const { return 0; }
    double maximum() const { return m_maximum; }
    int status() const { return m_status; }
    QString unit() const;
    ValueUpdate *update() const { return m_update; }

signals:
    void currentChanged();
    void maximumChanged();
    void statusChanged();
    void unitChanged();

private:
    void refresh();
    void set(double current, double maximum);
    void setStatus(int status);

    Kind m_kind;
    QPointer<ProcReader> m_reader;
    ValueUpdate *m_update;
    double m_current = 0;
    double m_maximum = 0;
    int m_status = 0;
    // Jiffies at the previous CPU reading.
    double m_lastBusy = -1;
    double m_lastTotal = -1;
};

} // namespace Orvane::Private
