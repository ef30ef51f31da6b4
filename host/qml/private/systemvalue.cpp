#include "systemvalue.h"

#include "procreader.h"

#include <algorithm>

namespace Orvane::Private {

ValueUpdate::ValueUpdate(QObject *parent)
    : QObject(parent) {}

void ValueUpdate::setConfiguration(const QJSValue &configuration) {
    if (m_configuration.strictlyEquals(configuration))
        return;
    m_configuration = configuration;
    emit configurationChanged();
}

void ValueUpdate::setUnit(const QString &unit) {
    if (m_unit == unit)
        return;
    m_unit = unit;
    emit unitChanged();
}

void ValueUpdate::execute() {
    emit executing();
}

SystemValue::SystemValue(Kind kind, ProcReader *reader, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
    , m_reader(reader)
    , m_update(new ValueUpdate(this)) {
    connect(m_update, &ValueUpdate::executing, this, &SystemValue::refresh);
    if (kind == Cpu) {
        m_maximum = 100;
        // The load is the busy share since the previous reading: take the first one now.
        refresh();
    }
    if (kind == Memory || kind == Swap)
        connect(m_update, &ValueUpdate::unitChanged, this, &SystemValue::unitChanged);
}

QString SystemValue::title() const {
    static const char *const titles[] = {"CPU", "Memory", "Swap", "Uptime", "Load"};
    return QString::fromLatin1(titles[m_kind]);
}

QString SystemValue::unit() const {
    switch (m_kind) {
    case Cpu:
        return QStringLiteral("%");
    case Memory:
    case Swap: {
        const QString asked = m_update->unit();
        return asked == QLatin1String("KiB") || asked == QLatin1String("GiB")
                   ? asked
                   : QStringLiteral("MiB");
    }
    case Uptime:
        return QStringLiteral("s");
    case Load:
        break;
    }
    return QString();
}

void SystemValue::set(double current, double maximum) {
    if (m_maximum != maximum) {
        m_maximum = maximum;
        emit maximumChanged();
    }
    if (m_current != current) {
        m_current = current;
        emit currentChanged();
    }
}

void SystemValue::setStatus(int status) {
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged();
}

void SystemValue::refresh() {
    if (!m_reader)
        return;
    switch (m_kind) {
    case Cpu: {
        const QVariantMap t = m_reader->cpu();
        if (t.isEmpty())
            return setStatus(1);
        const double busy = t.value(QStringLiteral("busy")).toDouble();
        const double total = t.value(QStringLiteral("total")).toDouble();
        const double elapsed = total - m_lastTotal;
        double current = m_current;
        if (m_lastTotal >= 0 && elapsed > 0)
            current = std::clamp((busy - m_lastBusy) / elapsed * 100, 0.0, 100.0);
        // Two readings within one jiffy keep the last load; counters that went back
        // (another machine's files) start afresh.
        if (elapsed != 0 || m_lastTotal < 0) {
            m_lastBusy = busy;
            m_lastTotal = total;
        }
        set(current, 100);
        break;
    }
    case Memory:
    case Swap: {
        const QVariantMap m = m_reader->memory();
        const bool swap = m_kind == Swap;
        const QVariant total =
            m.value(swap ? QStringLiteral("swapTotal") : QStringLiteral("total"));
        const QVariant free =
            m.value(swap ? QStringLiteral("swapFree") : QStringLiteral("available"));
        if (!total.isValid() || !free.isValid())
            return setStatus(1);
        const QString shown = unit();
        const double scale = shown == QLatin1String("KiB")   ? 1
                             : shown == QLatin1String("GiB") ? 1024 * 1024
                                                             : 1024;
        set((total.toDouble() - free.toDouble()) / scale, total.toDouble() / scale);
        break;
    }
    case Uptime: {
        const double seconds = m_reader->uptime();
        if (seconds < 0)
            return setStatus(1);
        set(seconds, seconds);
        break;
    }
    case Load: {
        const QVariantList averages = m_reader->loadAverage();
        if (averages.isEmpty())
            return setStatus(1);
        set(averages.first().toDouble(), std::max(1, m_reader->cpuCount()));
        break;
    }
    }
    setStatus(0);
}

} // namespace Orvane::Private
