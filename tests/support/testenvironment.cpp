#include "testenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <sys/syscall.h>
#include <unistd.h>

namespace {

QTemporaryDir &directory() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orvane-test-XXXXXX"));
    return dir;
}

// The sound server is found through the user's home; point at it before the home moves.
void keepSoundServer() {
    const QString pulse = qEnvironmentVariable("HOME") + QStringLiteral("/.config/pulse");
    if (!qEnvironmentVariableIsSet("PULSE_COOKIE") &&
        QFile::exists(pulse + QStringLiteral("/cookie")))
        qputenv("PULSE_COOKIE", QFile::encodeName(pulse + QStringLiteral("/cookie")));
    if (qEnvironmentVariableIsSet("PULSE_SERVER") || qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    const QFileInfoList runtimes =
        QDir(pulse).entryInfoList({QStringLiteral("*-runtime")}, QDir::System | QDir::Dirs);
    for (const QFileInfo &runtime : runtimes) {
        const QString socket = runtime.canonicalFilePath() + QStringLiteral("/native");
        if (QFileInfo::exists(socket)) {
            qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + socket));
            return;
        }
    }
}

// Runs before main's QCoreApplication is done constructing, so before any test code.
void setUp() {
    keepSoundServer();
    const QString root = directory().path();
    qputenv("ORVANE_CONFIG_DIR", QFile::encodeName(root + QStringLiteral("/config")));
    qputenv("ORVANE_CACHE_DIR", QFile::encodeName(root + QStringLiteral("/cache")));
    qputenv("ORVANE_STORAGE_DIR", QFile::encodeName(root + QStringLiteral("/storage")));
    qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + QStringLiteral("/home/.config")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(root + QStringLiteral("/home/.cache")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/home/.local/share")));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(setUp)

namespace TestEnvironment {

QString root() {
    return directory().path();
}
QString configDir() {
    return qEnvironmentVariable("ORVANE_CONFIG_DIR");
}
QString cacheDir() {
    return qEnvironmentVariable("ORVANE_CACHE_DIR");
}
QString storageDir() {
    return qEnvironmentVariable("ORVANE_STORAGE_DIR");
}
QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
bool writeFile(const QString &path, const QByteArray &content) {
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

qint64 threadId() {
    return syscall(SYS_gettid);
}

bool isAsleep(qint64 thread) {
    QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(thread));
    const QByteArray text = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    // "tid (name) S ...": the name may hold anything, so the state follows the last ')'.
    return text.mid(text.lastIndexOf(')'), 4) == ") S ";
}

} // namespace TestEnvironment
