#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // Navy tile with a thin light rim.
    painter.setPen(QPen(QColor(0xC0, 0xC8, 0xE0), 1.0));
    painter.setBrush(QColor(0x10, 0x20, 0x70));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);

    // The bus bar at the bottom, where the fault lands.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xB0, 0xB0, 0xB8));
    painter.drawRect(QRectF(5, 26, 22, 3));

    // The bolt: yellow with a maroon outline.
    QPainterPath bolt;
    bolt.moveTo(19, 2);
    bolt.lineTo(8, 17);
    bolt.lineTo(15, 17);
    bolt.lineTo(11, 28);
    bolt.lineTo(24, 12);
    bolt.lineTo(17, 12);
    bolt.lineTo(22, 2);
    bolt.closeSubpath();
    painter.setPen(QPen(QColor(0x80, 0x00, 0x00), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xFF, 0xD8, 0x20));
    painter.drawPath(bolt);
    return pixmap;
}

}  // namespace

QIcon ZorantIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(DrawIcon(size));
    return icon;
}
