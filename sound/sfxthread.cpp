#include "sfxthread.h"

#include "playerpool.h"

#include <QCoreApplication>
#include <QGlobalStatic>
#include <QSoundEffect>

#include <atomic>

namespace Orvane {

namespace {

// Set before the thread quits, so that no caller queues work it would never serve.
std::atomic<bool> stopping{false};

void drainPlayers();

// Every QSoundEffect makes a resource set whose parent is one process-wide object of Qt's,
// which lives on the thread that made the first effect; an effect made on any other thread
// then warns "Cannot create children for a parent that is in a different thread". That
// parent is caught as it takes the child of a probe, and given no thread at all: children
// then take its (lack of) thread, whichever thread makes them.
class ResourceRootCatcher : public QObject {
public:
    QObject *root = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::ChildAdded && !watched->parent() &&
            watched->metaObject() == &QObject::staticMetaObject)
            root = watched;
        return false;
    }
};

void freeResourceRoot() {
    // The application's filters see only the main thread's objects.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || app->thread() != QThread::currentThread())
        return;
    ResourceRootCatcher catcher;
    app->installEventFilter(&catcher);
    delete new QSoundEffect;
    app->removeEventFilter(&catcher);
    if (catcher.root && catcher.root->thread() == QThread::currentThread())
        catcher.root->moveToThread(nullptr);
}

struct SoundThread {
    // Declared first so that it outlives the thread: it is destroyed once nothing runs there.
    PlayerPool pool;
    SfxThread thread;

    SoundThread() {
        freeResourceRoot();
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
