#pragma once

#include <QByteArray>
#include <QObject>
#include <QPoint>
#include <QString>

namespace Orvane::Imports {

// Process services QML lacks: identifiers, per-purpose directories, local text, the cursor.
class Utils : public QObject {
    Q_OBJECT

public:
    explicit Utils(QObject *parent = nullptr);

public slots:
    QString createUuid();
    QString cachePath(QString path);
    QString storagePath(QString path);
    QString fromLocal8Bit(QByteArray bytes);
    QByteArray toLocal8Bit(QString str);
    QPoint cursorPosition();
};

} // namespace Orvane::Imports
