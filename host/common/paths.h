#pragma once

#include <QString>

namespace Orvane {

// The framework's well-known directories, never with a trailing separator.
class Paths {
public:
    static QString configurations();
    static QString caches();
    static QString storages();
    // ORVANE_SOUNDS_DIR, else the user's sounds directory when it exists, else the
    // sounds installed with this library when they exist, else the user's directory.
    static QString sounds();

    // Expands %NAME% and ${NAME}; a reference to an unknown variable stays as written.
    static QString expandEnvironmentStrings(const QString &path);
};

} // namespace Orvane
