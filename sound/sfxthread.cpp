#include "sfxthread.h"

#include "playerpool.h"

#include <QCoreApplication>
#include <QGlobalStatic>

#include <atomic>

namespace Orvane {

namespace {

// Set before the thread quits, so that no caller queues work it would never serve.
std::atomic<bool> stopping{false};

void drainPlayers();

struct SoundThread {
    // Declared first so that it outlives the thread: it is destroyed once nothing runs there.
    PlayerPool pool;
    SfxThread thread;

    SoundThread() {
        pool.moveToThread(&thread);
        qAddPostRoutine(drainPlayers);
    }
};

} // namespace

Q_GLOBAL_STATIC(SoundThread, globalSoundThread)

namespace {

// Runs as the application is destroyed: later, at exit, Qt's sound back end is gone.
void drainPlayers() {
    if (PlayerPool *players = sfxPlayers())
        QMetaObject::invokeMethod(players, &PlayerPool::drain, Qt::BlockingQueuedConnection);
}

} // namespace

SfxThread::SfxThread() {
    start();
}

SfxThread::~SfxThread() {
    stopping.store(true);
    quit();
    wait();
}

SfxThread *sfxThread() {
    if (stopping.load())
        return nullptr;
    return &globalSoundThread()->thread;
}

PlayerPool *sfxPlayers() {
    if (stopping.load())
        return nullptr;
    return &globalSoundThread()->pool;
}

} // namespace Orvane
