#include "paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include <dlfcn.h>

namespace Orvane {

namespace {

QString fromEnvironment(const char *variable, QStandardPaths::StandardLocation location,
                        const char *suffix) {
    QString path = qEnvironmentVariable(variable);
    if (path.isEmpty())
        path = QStandardPaths::writableLocation(location) + QLatin1String(suffix);
    path = QDir::cleanPath(path);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The stock sounds installed with this library: its data directory, found from where
// the library itself lies, so that any prefix works.
QString installedSounds() {
#ifdef ORVANE_DATA_FROM_LIB
    Dl_info info;
    if (!dladdr(reinterpret_cast<void *>(&installedSounds), &info) || !info.dli_fname)
        return QString();
    const QString libDir = QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
    const QString sounds =
        QDir::cleanPath(libDir + QLatin1String("/" ORVANE_DATA_FROM_LIB "/orvane/sounds"));
    return QFileInfo(sounds).isDir() ? sounds : QString();
#else
    return QString();
#endif
}

} // namespace

QString Paths::configurations() {
    return fromEnvironment("ORVANE_CONFIG_DIR", QStandardPaths::GenericConfigLocation, "/orvane");
}

QString Paths::caches() {
    return fromEnvironment("ORVANE_CACHE_DIR", QStandardPaths::GenericCacheLocation, "/orvane");
}

QString Paths::storages() {
    return fromEnvironment("ORVANE_STORAGE_DIR", QStandardPaths::GenericDataLocation,
                           "/orvane/storage");
}

QString Paths::sounds() {
    // The user's own sounds when there are any, else the installed ones.
    const QString sounds =
        fromEnvironment("ORVANE_SOUNDS_DIR", QStandardPaths::GenericDataLocation, "/orvane/sounds");
    if (qEnvironmentVariableIsEmpty("ORVANE_SOUNDS_DIR") && !QFileInfo(sounds).isDir()) {
        const QString installed = installedSounds();
        if (!installed.isEmpty())
            return installed;
    }
    return sounds;
}

QString Paths::expandEnvironmentStrings(const QString &path) {
    QString result;
    result.reserve(path.size());
    const int size = path.size();
    int i = 0;
    while (i < size) {
        const QChar c = path.at(i);
        int nameStart = -1;
        int nameEnd = -1;
        int next = -1;
        if (c == QLatin1Char('%')) {
            nameStart = i + 1;
            nameEnd = path.indexOf(QLatin1Char('%'), nameStart);
            next = nameEnd + 1;
        } else if (c == QLatin1Char('$') && i + 1 < size && path.at(i + 1) == QLatin1Char('{')) {
            nameStart = i + 2;
            nameEnd = path.indexOf(QLatin1Char('}'), nameStart);
            next = nameEnd + 1;
        }
        if (nameStart < 0 || nameEnd <= nameStart) {
            result += c;
            ++i;
            continue;
        }
        const QStringRef name = path.midRef(nameStart, nameEnd - nameStart);
        const bool valid = std::all_of(name.begin(), name.end(), isNameCharacter);
        const QByteArray key = name.toLocal8Bit();
        if (!valid || !qEnvironmentVariableIsSet(key.constData())) {
            // Keep the opening character only, so "%A%B%" can still expand B.
            result += c;
            ++i;
            continue;
        }
        result += qEnvironmentVariable(key.constData());
        i = next;
    }
    return result;
}

} // namespace Orvane
