#include "lampgen/BulbsmithIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace dispcraft {

namespace {

QPixmap drawIcon(int n) {
    QPixmap pm(n, n);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = n / 32.0;
    // Bezel: a dark rounded square like the panel around an indicator.
    p.setPen(QPen(QColor(40, 40, 40), 1.0 * u));
    p.setBrush(QColor(70, 74, 80));
    p.drawRoundedRect(QRectF(1 * u, 1 * u, 30 * u, 30 * u), 6 * u, 6 * u);
    // The lamp glass, lit.
    QRadialGradient glow(QPointF(13 * u, 11 * u), 12 * u);
    glow.setColorAt(0.0, QColor(255, 255, 210));
    glow.setColorAt(0.5, QColor(255, 214, 60));
    glow.setColorAt(1.0, QColor(220, 140, 0));
    p.setPen(QPen(QColor(120, 80, 0), 1.0 * u));
    p.setBrush(glow);
    p.drawEllipse(QRectF(7 * u, 4 * u, 18 * u, 18 * u));
    // Screw base.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(12 * u, 21 * u, 8 * u, 5 * u));
    p.setBrush(QColor(120, 120, 120));
    for (int i = 0; i < 2; ++i) {
        p.drawRect(QRectF(12 * u, (22.2 + 2 * i) * u, 8 * u, 0.9 * u));
    }
    p.drawRect(QRectF(14 * u, 26 * u, 4 * u, 2 * u));
    // A dot grid over the glass, for the LCD dots the picture becomes.
    if (n >= 32) {
        p.setBrush(QColor(120, 80, 0, 110));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                p.drawRect(QRectF((10.5 + 3 * x) * u, (7.5 + 3 * y) * u, 1.2 * u, 1.2 * u));
            }
        }
    }
    return pm;
}

} // namespace

QIcon bulbsmithIcon() {
    QIcon icon;
    for (int n : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(drawIcon(n));
    }
    return icon;
}

} // namespace dispcraft
