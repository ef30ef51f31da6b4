#pragma once

#include <QObject>

class QSoundEffect;

namespace Orvane {

// The players of the sound thread. Qt's PulseAudio player may still receive server
// callbacks for a while after it is destroyed, and crashes then; so players are kept
// for the next effect instead, and those beyond the pool die only after a grace period.
// Lives on the sound thread and is used only there.
class PlayerPool : public QObject {
public:
    static constexpr int idleLimit = 128;
    static constexpr int graceMs = 2000;

    QSoundEffect *take();
    // Stops the player and keeps it, or destroys it once the server is done with it.
    void give(QSoundEffect *player);
    // Before the application goes, while Qt's sound back end still exists: every player
    // left is destroyed, and any given back later is destroyed at once.
    void drain();

private:
    QList<QSoundEffect *> m_idle;
    bool m_drained = false;
};

} // namespace Orvane
