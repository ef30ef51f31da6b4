#pragma once

#include <QString>

namespace Orvane {

// The framework's well-known directories, never with a trailing separator.
class Paths {
public:
    static QString configurations();
    static QString caches();
    static QString storages();
    static QString sounds();

    // Expands %NAME% and ${NAME}; a reference to an unknown variable stays as written.
    static QString expandEnvironmentStrings(const QString &path);
};

} // namespace Orvane
