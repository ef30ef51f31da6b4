#pragma once

#include <QThread>

namespace Orvane {

class PlayerPool;

// The one worker thread of the process on which every sound effect's player lives.
class SfxThread : public QThread {
public:
    SfxThread();
    ~SfxThread() override;
};

// The process-wide sound thread, created and started on first use. Null once it has
// begun shutting down at process exit.
SfxThread *sfxThread();

// The players of the sound thread; calls are handed to the thread through it. Null when
// sfxThread() is.
PlayerPool *sfxPlayers();

} // namespace Orvane
