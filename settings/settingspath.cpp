#include "settingspath.h"

#include "common/paths.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane::Imports {

QString SettingsPath::directory(const QString &directory) {
    if (QDir::isRelativePath(directory))
        return Orvane::Paths::configurations() + QLatin1Char('/') + directory;
    return directory;
}

QString SettingsPath::file(const QString &directory, const QString &name) {
    return SettingsPath::directory(directory) + QLatin1Char('/') + name;
}

QString SettingsPath::withExtension(const QString &name, const QString &extension) {
    return name.endsWith(extension, Qt::CaseInsensitive) ? name : name + extension;
}

bool SettingsPath::isInside(const QString &directory, const QString &name) {
    if (!QDir::isRelativePath(directory))
        return true;
    const QString joined = directory.isEmpty() || name.isEmpty()
                               ? directory + name
                               : directory + QLatin1Char('/') + name;
    const QString path = QDir::cleanPath(joined);
    return path != QLatin1String("..") && !path.startsWith(QLatin1String("../")) &&
           !QDir::isAbsolutePath(path);
}

bool SettingsPath::openForReading(QFile &file) {
    const int fd =
        ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status;
    if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

} // namespace Orvane::Imports
