#include "app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zolt::app {

QPixmap AppPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QLinearGradient gradient(tile.topLeft(), tile.bottomRight());
    gradient.setColorAt(0, QColor(120, 220, 235));
    gradient.setColorAt(1, QColor(70, 90, 200));
    p.setPen(QPen(QColor(40, 50, 120), size / 32.0 + 0.5));
    p.setBrush(gradient);
    p.drawRoundedRect(tile, size * 0.18, size * 0.18);
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(int(size * 0.68));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(tile, Qt::AlignCenter, QStringLiteral("Z"));
    return pixmap;
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(AppPixmap(size));
    return icon;
}

QPixmap PrinterPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    p.setPen(QPen(QColor(60, 60, 60), u * 0.8));
    // Paper coming in at the top, the body, and the printed sheet.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4 * u, 1 * u, 8 * u, 5 * u));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(1 * u, 5.5 * u, 14 * u, 6.5 * u), 1.5 * u, 1.5 * u);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4 * u, 10 * u, 8 * u, 5 * u));
    p.setPen(QPen(QColor(120, 120, 120), u * 0.6));
    p.drawLine(QPointF(5.5 * u, 12 * u), QPointF(10.5 * u, 12 * u));
    p.drawLine(QPointF(5.5 * u, 13.5 * u), QPointF(9 * u, 13.5 * u));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 80));
    p.drawEllipse(QPointF(13 * u, 7.5 * u), 0.8 * u, 0.8 * u);
    return pixmap;
}

}  // namespace zolt::app
