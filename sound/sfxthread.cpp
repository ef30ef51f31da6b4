#include "sfxthread.h"

#include <QGlobalStatic>

#include <atomic>

namespace Orvane {

namespace {

// Set before the thread quits, so that no caller queues work it would never serve.
std::atomic<bool> stopping{false};

} // namespace

Q_GLOBAL_STATIC(SfxThread, globalSfxThread)

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
    return globalSfxThread();
}

} // namespace Orvane
