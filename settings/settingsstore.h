#pragma once

#include <QBuffer>
#include <QString>

namespace Orvane::Imports {

// The one way configuration files are written. For a directory relative to the
// configuration directory the content goes to a temporary file under the cache
// directory and replaces the target as a whole on commit; otherwise it is written
// in place. Lives on the caller's stack for one save.
//
// The caller writes into memory; commit hands the bytes to the file and fails unless
// every one of them reached the disk. Stores of other processes are locked out of the
// directory written in while the file is written and moved (for an in-place write,
// from open on), so two saves of one file never share the temporary file.
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
    bool openLocked();
    void finish();

    bool direct = false;
    int file = -1;
    int lock = -1;
    QBuffer content;
    QString writePath;
    QString targetPath;
};

} // namespace Orvane::Imports
