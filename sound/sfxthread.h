#pragma once

#include <QThread>

namespace Orvane {

// The one worker thread of the process on which every sound effect's player lives.
class SfxThread : public QThread {
public:
    SfxThread();
    ~SfxThread() override;
};

// The process-wide sound thread, created and started on first use. Null once it has
// begun shutting down at process exit.
SfxThread *sfxThread();

// An object living on the sound thread, through which calls are handed to it before any
// player exists there. Null when sfxThread() is.
QObject *sfxReceiver();

} // namespace Orvane
