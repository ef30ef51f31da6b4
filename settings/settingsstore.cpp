#include "settingsstore.h"

#include "common/paths.h"
#include "common/utils.h"
#include "utils/warning.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane::Imports {

namespace {

bool syncDescriptor(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

QString directoryOf(const QString &path) {
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// Makes a rename inside the directory durable.
void syncDirectory(const QString &path) {
    const int fd = ::open(QFile::encodeName(directoryOf(path)).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    syncDescriptor(fd);
    ::close(fd);
}

bool writeAll(int fd, const char *data, ssize_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// A rename cannot cross file systems: copy into a temporary file beside the target,
// make it durable and rename that, so the target is still replaced as a whole.
// Returns 0 or the errno of the failing step.
int copyAcross(const QByteArray &from, const QByteArray &to) {
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    QByteArray temporary = to + ".XXXXXX";
    const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error;
    }
    int error = 0;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || !writeAll(out, buffer, got)) {
            error = errno;
            break;
        }
        if (got == 0)
            break;
    }
    struct stat status;
    if (!error && ::fstat(in, &status) == 0)
        ::fchmod(out, status.st_mode & 07777);
    if (!error && !syncDescriptor(out))
        error = errno;
    ::close(in);
    if (::close(out) != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.constData(), to.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.constData());
        return error;
    }
    ::unlink(from.constData());
    return 0;
}

} // namespace

SettingsStore::~SettingsStore() {
    if (file.isOpen())
        file.close();
}

QIODevice *SettingsStore::open(const QString &directory, const QString &name) {
    if (file.isOpen())
        return &file;
    if (QDir::isRelativePath(directory)) {
        direct = false;
        writePath = Orvane::Paths::caches() + QLatin1String("/Configs/") + directory;
        if (!Orvane::Utils::createDirectory(writePath)) {
            ORV_WARNING("SettingsStore::open") << "cannot create directory: " << writePath;
            return nullptr;
        }
        targetPath = Orvane::Paths::configurations() + QLatin1Char('/') + directory;
        if (!Orvane::Utils::createDirectory(targetPath)) {
            ORV_WARNING("SettingsStore::open") << "cannot create directory: " << targetPath;
            return nullptr;
        }
        writePath += QLatin1Char('/') + name;
        targetPath += QLatin1Char('/') + name;
    } else {
        direct = true;
        writePath = directory + QLatin1Char('/') + name;
        targetPath = writePath;
    }
    return openFile();
}

QIODevice *SettingsStore::open(const QString &path) {
    if (file.isOpen())
        return &file;
    direct = true;
    writePath = path;
    targetPath = path;
    return openFile();
}

QIODevice *SettingsStore::openFile() {
    file.setFileName(writePath);
    if (file.open(QIODevice::WriteOnly))
        return &file;
    ORV_WARNING("SettingsStore::open") << "cannot open file: " << file.fileName();
    return nullptr;
}

bool SettingsStore::commit() {
    if (!file.isOpen())
        return false;
    // The content must be on disk before it may replace the target.
    const bool synced = file.flush() && syncDescriptor(file.handle());
    file.close();
    if (!synced || file.error() != QFileDevice::NoError)
        return false;
    if (direct)
        return true;

    const QByteArray from = QFile::encodeName(writePath);
    const QByteArray to = QFile::encodeName(targetPath);
    int error = ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
    if (error == EXDEV)
        error = copyAcross(from, to);
    if (error) {
        ORV_WARNING("SettingsStore::commit") << "cannot move file: " << QString::number(error, 16)
                                             << "\nfrom: " << writePath << "\nto: " << targetPath;
        return false;
    }
    syncDirectory(targetPath);
    return true;
}

} // namespace Orvane::Imports
