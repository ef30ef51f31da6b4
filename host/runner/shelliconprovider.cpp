#include "shelliconprovider.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>

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
        QPainterPath folder;
        folder.moveTo(3, 8);
        folder.lineTo(12, 8);
        folder.lineTo(15, 11);
        folder.lineTo(29, 11);
        folder.lineTo(29, 27);
        folder.lineTo(3, 27);
        folder.closeSubpath();
        painter.drawPath(folder);
    } else {
        painter.setBrush(QColor(0xe8, 0xec, 0xf1));
        painter.setPen(QColor(0x8a, 0x94, 0xa3));
        QPainterPath page;
        page.moveTo(7, 3);
        page.lineTo(20, 3);
        page.lineTo(26, 9);
        page.lineTo(26, 29);
        page.lineTo(7, 29);
        page.closeSubpath();
        painter.drawPath(page);
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
