#pragma once

#include <QString>

class QFile;

namespace Orvane::Imports {

// Turns the directory and name arguments of the settings and menu slots into file
// paths: a relative directory lives under the configuration directory.
class SettingsPath {
public:
    static QString directory(const QString &directory);
    static QString file(const QString &directory, const QString &name);
    // The name with `extension` appended unless it already ends with it, in any case.
    static QString withExtension(const QString &name, const QString &extension);
    // False when a relative directory, or the name joined to it, climbs out of the
    // configuration directory with "..". Absolute directories are the caller's own.
    static bool isInside(const QString &directory, const QString &name = QString());
    // Opens a document for reading; a FIFO, device or socket is refused at once, as a
    // document is never one.
    static bool openForReading(QFile &file);
};

} // namespace Orvane::Imports
