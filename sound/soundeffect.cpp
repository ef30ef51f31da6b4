#include "soundeffect.h"

#include "sfxthread.h"

#include <QMetaObject>
#include <QThread>

namespace Orvane {

SoundEffect::SoundEffect(QObject *parent)
    : QObject(parent) {
    // A null thread (the sound thread is gone at exit) leaves the player without affinity.
    m_effect.moveToThread(sfxThread());
    connect(
        &m_effect, &QSoundEffect::playingChanged, &m_effect,
        [this] {
            m_playing.store(m_effect.isPlaying(), std::memory_order_release);
            emit playingChanged();
        },
        Qt::DirectConnection);
}

SoundEffect::~SoundEffect() {
    QThread *const target = QThread::currentThread();
    runOnEffectThread([this, target] {
        m_effect.stop();
        m_effect.moveToThread(target);
    });
}

void SoundEffect::setSource(const QUrl &url) {
    if (url == m_source)
        return;
    m_source = url;
    runOnEffectThread([this, url] { m_effect.setSource(url); });
    emit sourceChanged();
}

void SoundEffect::play() {
    QMetaObject::invokeMethod(&m_effect, &QSoundEffect::play, Qt::QueuedConnection);
}

void SoundEffect::stop() {
    QMetaObject::invokeMethod(&m_effect, &QSoundEffect::stop, Qt::QueuedConnection);
}

// Runs the call on the player's thread and waits for it. When that thread cannot serve it
// (it has stopped at exit, or it is the caller's own thread) the call runs here, since a
// blocking hand-over would never return.
template <typename Call> void SoundEffect::runOnEffectThread(Call call) {
    QThread *const current = QThread::currentThread();
    // thread() reads null once the sound thread has been destroyed.
    QThread *const owner = m_effect.thread();
    if (owner && owner != current && owner == sfxThread()) {
        QMetaObject::invokeMethod(&m_effect, call, Qt::BlockingQueuedConnection);
        return;
    }
    if (!owner)
        m_effect.moveToThread(current);
    call();
}

} // namespace Orvane
