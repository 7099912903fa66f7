#include "app/AppPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace orv {

QPixmap radioPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double u = size / 32.0;
    // Antenna.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(19 * u, 1 * u, 3 * u, 10 * u), u, u);
    // Body.
    p.setBrush(QColor(30, 60, 110));
    p.drawRoundedRect(QRectF(8 * u, 9 * u, 16 * u, 22 * u), 2.5 * u, 2.5 * u);
    // Display.
    p.setBrush(QColor(170, 220, 160));
    p.drawRoundedRect(QRectF(10.5 * u, 12 * u, 11 * u, 5 * u), u, u);
    p.setPen(QPen(QColor(30, 80, 30), 0.8 * u));
    p.drawLine(QPointF(12 * u, 14.5 * u), QPointF(20 * u, 14.5 * u));
    // Keypad.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 225));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) p.drawEllipse(QRectF((11 + 3.6 * c) * u, (19.5 + 3.4 * r) * u, 2.4 * u, 2.4 * u));
    // Waves.
    p.setPen(QPen(QColor(230, 120, 20), 1.2 * u));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double r = (3 + 2.5 * i) * u;
        p.drawArc(QRectF(20.5 * u - r, 3 * u - r, 2 * r, 2 * r), -30 * 16, 75 * 16);
    }
    return pm;
}

}  // namespace orv
