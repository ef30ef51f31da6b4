#pragma once

#include <QFile>
#include <QString>

namespace Orvane::Imports {

// The one way configuration files are written. For a directory relative to the
// configuration directory the content goes to a temporary file under the cache
// directory and replaces the target as a whole on commit; otherwise it is written
// in place. Lives on the caller's stack for one save.
class SettingsStore {
public:
    SettingsStore() = default;
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QIODevice *open(const QString &directory, const QString &name);
    QIODevice *open(const QString &path);
    bool commit();

    bool isDirect() const { return direct; }
    QString writeFilePath() const { return writePath; }
    QString targetFilePath() const { return targetPath; }

private:
    QIODevice *openFile();

    bool direct = false;
    QFile file;
    QString writePath;
    QString targetPath;
};

} // namespace Orvane::Imports
