#pragma once

#include <QString>

namespace Orvane::Imports {

// Turns the directory and name arguments of the settings slots into file paths:
// a relative directory lives under the configuration directory.
class SettingsPath {
public:
    static QString directory(const QString &directory);
    static QString file(const QString &directory, const QString &name);
    // The name with `extension` appended unless it already ends with it, in any case.
    static QString withExtension(const QString &name, const QString &extension);
};

} // namespace Orvane::Imports
