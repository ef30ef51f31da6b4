#pragma once

#include <QByteArray>
#include <QString>

// The private directories of this test process; they replace the user's own.
namespace TestEnvironment {
QString root();
QString configDir();
QString cacheDir();
QString storageDir();
QByteArray readAll(const QString &path);                             // "<missing>" when it cannot
bool writeFile(const QString &path, const QByteArray &content = {}); // and its directory
qint64 residentBytes();                                              // of this process, now
} // namespace TestEnvironment
