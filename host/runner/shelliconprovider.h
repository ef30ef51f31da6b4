#pragma once

#include <QQuickImageProvider>

// "image://shell-icon//PATH": a folder or document picture for a file system entry.
class ShellIconProvider : public QQuickImageProvider {
public:
    ShellIconProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};
