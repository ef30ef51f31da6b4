#include "sfxthread.h"

#include <QGlobalStatic>

#include <atomic>

namespace Orvane {

namespace {

// Set before the thread quits, so that no caller queues work it would never serve.
std::atomic<bool> stopping{false};

struct SoundThread {
    // Declared first so that it outlives the thread: it is destroyed once nothing runs there.
    QObject receiver;
    SfxThread thread;

    SoundThread() { receiver.moveToThread(&thread); }
};

} // namespace

Q_GLOBAL_STATIC(SoundThread, globalSoundThread)

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

QObject *sfxReceiver() {
    if (stopping.load())
        return nullptr;
    return &globalSoundThread()->receiver;
}

} // namespace Orvane
