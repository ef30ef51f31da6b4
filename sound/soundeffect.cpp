#include "soundeffect.h"

#include "playerpool.h"
#include "sfxthread.h"

#include <QMetaObject>
#include <QThread>

namespace Orvane {

// Rather than moving the player to the sound thread and back, it is taken from the
// players there and given back: moved PulseAudio players crash or stay silent. The caller
// still waits for both.
SoundEffect::SoundEffect(QObject *parent)
    : QObject(parent) {
    runOnSoundThread([this] {
        if (PlayerPool *players = sfxPlayers())
            m_effect = players->take();
    });
    if (!m_effect) // the thread stopped at exit before it could serve the call
        m_effect = new QSoundEffect;
    m_playingConnection = connect(
        m_effect, &QSoundEffect::playingChanged, m_effect,
        [this] {
            m_playing.store(m_effect->isPlaying(), std::memory_order_release);
            emit playingChanged();
        },
        Qt::DirectConnection);
}

SoundEffect::~SoundEffect() {
    runOnSoundThread([this] {
        m_effect->stop(); // still connected: the owner hears that it stopped
        disconnect(m_playingConnection);
        PlayerPool *players = sfxPlayers();
        if (players && players->thread() == QThread::currentThread()) {
            players->give(m_effect);
        } else {
            delete m_effect;
        }
    });
}

void SoundEffect::setSource(const QUrl &url) {
    if (url == m_source)
        return;
    m_source = url;
    runOnSoundThread([this, url] { m_effect->setSource(url); });
    emit sourceChanged();
}

void SoundEffect::play() {
    // A pooled player may still hold an earlier owner's source.
    if (m_source.isEmpty())
        return;
    // Calls reach the player in order, so a play() still waiting there covers this one;
    // stop() clears the flag so that a play() after it is queued again.
    if (m_playQueued.exchange(true, std::memory_order_acq_rel))
        return;
    QMetaObject::invokeMethod(
        m_effect,
        [this] {
            m_playQueued.store(false, std::memory_order_release);
            m_effect->play();
        },
        Qt::QueuedConnection);
}

void SoundEffect::stop() {
    m_playQueued.store(false, std::memory_order_release);
    QMetaObject::invokeMethod(m_effect, &QSoundEffect::stop, Qt::QueuedConnection);
}

// Runs the call on the sound thread and waits for it. When that thread cannot serve it (it
// has stopped at exit, or it is the caller's own thread) the call runs here, since a
// blocking hand-over would never return.
template <typename Call> void SoundEffect::runOnSoundThread(Call call) {
    QThread *const current = QThread::currentThread();
    QObject *const receiver = sfxPlayers();
    if (receiver && receiver->thread() != current) {
        QMetaObject::invokeMethod(receiver, call, Qt::BlockingQueuedConnection);
        return;
    }
    // thread() reads null once the sound thread has been destroyed.
    if (m_effect && !m_effect->thread())
        m_effect->moveToThread(current);
    call();
}

} // namespace Orvane
