#pragma once

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <initializer_list>

namespace dispcraft::icons {

// The colours the program's own pictures share: outlines, the panel's LCD and its ink.
inline const QColor kLine(70, 74, 80);
inline const QColor kLcd(50, 200, 50);
inline const QColor kInk(20, 20, 20);

// An icon drawn by draw on a square grid of grid units, once for each pixel size, smoothed.
template <typename Draw> QIcon painted(qreal grid, std::initializer_list<int> sizes, Draw draw) {
    QIcon icon;
    for (int n : sizes) {
        QPixmap pm(n, n);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(n / grid, n / grid);
        draw(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace dispcraft::icons
