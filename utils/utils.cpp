#include "utils.h"

#include "common/paths.h"
#include "warning.h"

#include <QCursor>
#include <QDir>
#include <QUuid>

namespace Orvane::Imports {

namespace {

QString makePath(const char *where, const QString &root, const QString &path) {
    const QDir base(root);
    // No cleaning: "." and ".." stay as the caller wrote them.
    const QString absolute = base.absoluteFilePath(path);
    if (base.mkpath(absolute))
        return absolute;
    ORV_WARNING(where) << "cannot make path: " << absolute;
    return QString();
}

} // namespace

Utils::Utils(QObject *parent)
    : QObject(parent) {}

QString Utils::createUuid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString Utils::cachePath(QString path) {
    return makePath("Utils::cachePath", Paths::caches(), path);
}

QString Utils::storagePath(QString path) {
    return makePath("Utils::storagePath", Paths::storages(), path);
}

QString Utils::fromLocal8Bit(QByteArray bytes) {
    return QString::fromLocal8Bit(bytes);
}

QByteArray Utils::toLocal8Bit(QString str) {
    return str.toLocal8Bit();
}

QPoint Utils::cursorPosition() {
    return QCursor::pos();
}

} // namespace Orvane::Imports
