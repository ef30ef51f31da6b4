#pragma once

#include <QObject>

namespace Orvane::Private {

class TimerGroup;

// A repeating timer; all running timers of one interval share one underlying
// timer, so a desktop full of widgets refreshing every second wakes once a second;
// the ticks fall on the wall clock's multiples of the interval, whole seconds for 1000.
// A timer joining a running group fires with it, so its first period may be short.
class SyncTimer : public QObject {
    Q_OBJECT
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)
    Q_PROPERTY(bool running READ isRunning WRITE setRunning NOTIFY runningChanged)
    Q_PROPERTY(int sharedTimers READ sharedTimers NOTIFY sharedTimersChanged)
    Q_PROPERTY(int wakeups READ wakeups)

public:
    explicit SyncTimer(QObject *parent = nullptr);
    ~SyncTimer() override;

    int interval() const { return m_interval; }
    void setInterval(int interval);
    bool isRunning() const { return m_running; }
    void setRunning(bool running);

    // Underlying timers alive in this thread, and how often they fired so far.
    static int sharedTimers();
    static int wakeups();

    Q_INVOKABLE void start() { setRunning(true); }
    Q_INVOKABLE void stop() { setRunning(false); }
    Q_INVOKABLE void restart();

signals:
    void triggered();
    void intervalChanged();
    void runningChanged();
    void sharedTimersChanged();

private:
    void attach();
    void detach();

    int m_interval = 1000;
    bool m_running = false;
    TimerGroup *m_group = nullptr;
};

} // namespace Orvane::Private
