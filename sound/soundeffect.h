#pragma once

#include <QObject>
#include <QSoundEffect>
#include <QUrl>

#include <atomic>

namespace Orvane {

// A sound whose player lives on the shared sound thread, so that loading and playing
// never block the caller's thread.
class SoundEffect : public QObject {
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged FINAL)
    Q_PROPERTY(bool playing READ isPlaying NOTIFY playingChanged FINAL)

public:
    explicit SoundEffect(QObject *parent = nullptr);
    ~SoundEffect() override;

    QUrl source() const { return m_source; }
    // Returns once the player has the new source, so a following play() uses it.
    void setSource(const QUrl &url);
    bool isPlaying() const { return m_playing.load(std::memory_order_acquire); }

signals:
    void sourceChanged();
    void playingChanged();

public slots:
    void play();
    void stop();

private:
    template <typename Call> void runOnSoundThread(Call call);

    // Taken from and given back to the sound thread's players: Qt's PulseAudio player
    // binds to the thread that constructs it.
    QSoundEffect *m_effect = nullptr;
    QMetaObject::Connection m_playingConnection;
    QUrl m_source;
    // Written on the sound thread, read on the owner's.
    std::atomic<bool> m_playing{false};
    // A play() is queued and has not started yet; a further one would add nothing.
    std::atomic<bool> m_playQueued{false};
};

} // namespace Orvane
