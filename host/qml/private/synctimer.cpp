#include "synctimer.h"

#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QVector>

namespace Orvane::Private {

class TimerGroup : public QObject {
public:
    explicit TimerGroup(int interval)
        : m_interval(interval) {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, &TimerGroup::fire);
        scheduleNext(false);
    }

    static TimerGroup *acquire(int interval, SyncTimer *member);
    void release(SyncTimer *member);

private:
    void fire();
    // Ticks fall on the clock's multiples of the interval, so groups of different
    // intervals, and a clock showing whole seconds, wake together.
    void scheduleNext(bool afterTick) {
        int delay = m_interval - int(QDateTime::currentMSecsSinceEpoch() % m_interval);
        // A tick that came a little early still waits for the next multiple.
        if (afterTick && delay < m_interval / 2)
            delay += m_interval;
        m_timer.start(delay);
    }

    static QHash<int, TimerGroup *> &groups() {
        static thread_local QHash<int, TimerGroup *> map;
        return map;
    }

    int m_interval;
    QTimer m_timer;
    QVector<QPointer<SyncTimer>> m_members;
    friend class SyncTimer;
};

static thread_local int s_wakeups = 0;

TimerGroup *TimerGroup::acquire(int interval, SyncTimer *member) {
    TimerGroup *&group = groups()[interval];
    const bool created = !group;
    if (created)
        group = new TimerGroup(interval);
    group->m_members.append(member);
    if (created)
        emit member->sharedTimersChanged();
    return group;
}

void TimerGroup::release(SyncTimer *member) {
    m_members.removeAll(member);
    if (!m_members.isEmpty())
        return;
    groups().remove(m_interval);
    // The last member may leave from inside fire().
    m_timer.stop();
    deleteLater();
}

void TimerGroup::fire() {
    ++s_wakeups;
    scheduleNext(true);
    // Members may stop or delete each other from their handlers.
    const QVector<QPointer<SyncTimer>> members = m_members;
    for (const QPointer<SyncTimer> &member : members) {
        if (member && member->isRunning())
            emit member->triggered();
    }
}

SyncTimer::SyncTimer(QObject *parent)
    : QObject(parent) {}

SyncTimer::~SyncTimer() {
    detach();
}

void SyncTimer::setInterval(int interval) {
    if (m_interval == interval)
        return;
    m_interval = interval;
    if (m_running) {
        detach();
        attach();
    }
    emit intervalChanged();
}

void SyncTimer::setRunning(bool running) {
    if (m_running == running)
        return;
    m_running = running;
    if (running)
        attach();
    else
        detach();
    emit runningChanged();
}

void SyncTimer::restart() {
    detach();
    m_running = false;
    setRunning(true);
}

int SyncTimer::sharedTimers() {
    return TimerGroup::groups().size();
}

int SyncTimer::wakeups() {
    return s_wakeups;
}

void SyncTimer::attach() {
    if (m_group || m_interval <= 0)
        return;
    m_group = TimerGroup::acquire(m_interval, this);
}

void SyncTimer::detach() {
    if (!m_group)
        return;
    TimerGroup *group = m_group;
    m_group = nullptr;
    group->release(this);
}

} // namespace Orvane::Private
