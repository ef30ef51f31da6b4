#include "utils.h"

#include <QDir>
#include <QFileInfo>

namespace Orvane {

bool Utils::createDirectory(const QString &path) {
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).isDir())
        return true;
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

} // namespace Orvane
