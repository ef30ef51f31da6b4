#include "shelliconprovider.h"

#include <QFileInfo>
#include <QPainter>
#include <QPolygonF>

ShellIconProvider::ShellIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage ShellIconProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize) {
    const int edge =
        requestedSize.isValid() ? qMax(requestedSize.width(), requestedSize.height()) : 32;
    QImage image(edge, edge, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(edge / 32.0, edge / 32.0);
    const QFileInfo entry(id.startsWith(QLatin1String("//")) ? id.mid(1) : id);
    if (entry.isDir()) {
        painter.setBrush(QColor(0xf2, 0xb8, 0x4b));
        painter.setPen(QColor(0xb5, 0x83, 0x2a));
        painter.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {15, 11}, {29, 11}, {29, 27}, {3, 27}}));
    } else {
        painter.setBrush(QColor(0xe8, 0xec, 0xf1));
        painter.setPen(QColor(0x8a, 0x94, 0xa3));
        painter.drawPolygon(QPolygonF({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
        const QString suffix = entry.suffix().left(3).toUpper();
        if (!suffix.isEmpty()) {
            QFont font = painter.font();
            font.setPixelSize(7);
            font.setBold(true);
            painter.setFont(font);
            painter.setPen(QColor(0x3d, 0x5a, 0x80));
            painter.drawText(QRectF(7, 14, 19, 10), Qt::AlignCenter, suffix);
        }
    }
    painter.end();
    if (size)
        *size = image.size();
    return image;
}
