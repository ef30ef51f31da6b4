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
qint64 threadId();            // the calling thread's, as the kernel knows it
bool isAsleep(qint64 thread); // it waits for something, rather than runs or is ready to
} // namespace TestEnvironment
