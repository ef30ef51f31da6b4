#include "settingspath.h"

#include "common/paths.h"

#include <QDir>

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

} // namespace Orvane::Imports
