#include "settingsstore.h"

#include "common/paths.h"
#include "common/utils.h"
#include "settings/settingspath.h"
#include "utils/warning.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
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
void syncDirectory(const QByteArray &directory) {
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY);
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

// Waits for other processes' saves in the same directory, for ten seconds at most: a
// writer that hangs must not hang every widget with it. -1 with errno on failure.
int lockDirectory(const QString &directory) {
    const int fd =
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return fd;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        ::usleep(10000);
    }
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

QString fileNameOf(const QString &path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Whatever sits at the temporary file's name (a planted link, a FIFO, a stale file) is
// ours to replace, never to follow. The file is made afresh, so it is a regular one.
int createFresh(int directory, const QByteArray &name) {
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::openat(directory, name.constData(), flags, 0666);
    if (fd < 0 && errno == EEXIST) {
        ::unlinkat(directory, name.constData(), 0);
        fd = ::openat(directory, name.constData(), flags, 0666);
    }
    return fd;
}

// A FIFO or device as the target of an in-place write is refused instead of blocking or
// being written into.
int openInPlace(int directory, const QByteArray &name) {
    const int fd = ::openat(directory, name.constData(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return -1;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

SettingsStore::~SettingsStore() {
    finish();
}

void SettingsStore::finish() {
    if (file >= 0)
        ::close(file);
    file = -1;
    if (lock >= 0)
        ::close(lock); // releases the lock
    lock = -1;
    content.close();
}

QIODevice *SettingsStore::open(const QString &directory, const QString &name) {
    if (content.isOpen())
        return &content;
    if (QDir::isRelativePath(directory)) {
        direct = false;
        writePath = Orvane::Paths::caches() + QLatin1String("/Configs/") + directory;
        targetPath = Orvane::Paths::configurations() + QLatin1Char('/') + directory;
        if (!SettingsPath::isInside(directory, name)) {
            ORV_WARNING("SettingsStore::open")
                << "cannot open file: " << targetPath << QLatin1Char('/') << name;
            return nullptr;
        }
        if (!Orvane::Utils::createDirectory(writePath)) {
            ORV_WARNING("SettingsStore::open") << "cannot create directory: " << writePath;
            return nullptr;
        }
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
    if (content.isOpen())
        return &content;
    direct = true;
    writePath = path;
    targetPath = path;
    return openFile();
}

QIODevice *SettingsStore::openFile() {
    // An in-place write truncates the target at once, so it holds the lock from here.
    if (direct && !openLocked())
        return nullptr;
    content.setData(QByteArray());
    content.open(QIODevice::WriteOnly);
    return &content;
}

bool SettingsStore::openLocked() {
    lock = lockDirectory(directoryOf(writePath));
    if (lock < 0 && errno == EWOULDBLOCK) {
        ORV_WARNING("SettingsStore::open") << "cannot lock directory: " << directoryOf(writePath);
        return false;
    }
    // The file is named relative to the locked directory: its path is not walked again.
    if (lock >= 0) {
        const QByteArray name = QFile::encodeName(fileNameOf(writePath));
        file = direct ? openInPlace(lock, name) : createFresh(lock, name);
    }
    if (file < 0) {
        finish();
        ORV_WARNING("SettingsStore::open") << "cannot open file: " << writePath;
        return false;
    }
    return true;
}

bool SettingsStore::commit() {
    if (!content.isOpen())
        return false;
    // The temporary file is made and moved under the lock, briefly: the content is
    // composed already.
    if (!direct && !openLocked())
        return false;
    // What the move needs is made before waiting for the disk: after that wait the caches
    // are cold, and only system calls remain.
    QByteArray name, to, toDirectory;
    if (!direct) {
        name = QFile::encodeName(fileNameOf(writePath));
        to = QFile::encodeName(targetPath);
        toDirectory = QFile::encodeName(directoryOf(targetPath));
    }
    // The content must be whole and on disk before it may replace the target.
    const QByteArray &data = content.data();
    bool written = writeAll(file, data.constData(), data.size()) && syncDescriptor(file);
    written = ::close(file) == 0 && written;
    file = -1;
    if (!written) {
        ORV_WARNING("SettingsStore::commit") << "cannot write file: " << writePath;
        finish();
        return false;
    }
    if (direct) {
        finish();
        return true;
    }
    int error = ::renameat(lock, name.constData(), AT_FDCWD, to.constData()) == 0 ? 0 : errno;
    if (error == EXDEV)
        error = copyAcross(QFile::encodeName(writePath), to);
    finish();
    if (error) {
        ORV_WARNING("SettingsStore::commit") << "cannot move file: " << QString::number(error, 16)
                                             << "\nfrom: " << writePath << "\nto: " << targetPath;
        return false;
    }
    syncDirectory(toDirectory);
    return true;
}

} // namespace Orvane::Imports
