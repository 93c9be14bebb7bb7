#include "app/EditorCursors.h"

#include <QPainter>
#include <QPixmap>

namespace dispcraft {

namespace {

// A cross hair whose centre is the hot spot, with a small picture of the kind to its lower
// right, so that the user sees what the next click places.
QCursor placementCursor(EditorCursor c) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    auto crossLine = [&](int x0, int y0, int x1, int y1) {
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(x0, y0, x1, y1);
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(x0, y0, x1, y1);
    };
    crossLine(8, 0, 8, 6);
    crossLine(8, 10, 8, 16);
    crossLine(0, 8, 6, 8);
    crossLine(10, 8, 16, 8);
    const QRect box(15, 15, 16, 16);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(50, 200, 50));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setBrush(Qt::black);
    QFont f;
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    switch (c) {
    case EditorCursor::PlaceTextString: p.drawText(box, Qt::AlignCenter, QStringLiteral("A")); break;
    case EditorCursor::PlaceMsgDisp: p.drawText(box, Qt::AlignCenter, QStringLiteral("M")); break;
    case EditorCursor::PlaceNumDisp: p.drawText(box, Qt::AlignCenter, QStringLiteral("9")); break;
    case EditorCursor::PlaceBarGraph:
        p.drawRect(18, 24, 3, 5);
        p.drawRect(23, 20, 3, 9);
        break;
    case EditorCursor::PlaceTrendGraph:
        p.setPen(QPen(Qt::black, 1.5));
        p.drawPolyline(QPolygon({QPoint(17, 28), QPoint(21, 21), QPoint(25, 25), QPoint(29, 17)}));
        break;
    default:
        p.drawEllipse(QRect(18, 18, 10, 10));
        break;
    }
    p.end();
    return QCursor(pm, 8, 8);
}

} // namespace

QCursor editorCursor(EditorCursor c) {
    switch (c) {
    case EditorCursor::Arrow: return QCursor(Qt::ArrowCursor);
    case EditorCursor::SizeNorthSouth: return QCursor(Qt::SizeVerCursor);
    case EditorCursor::SizeWestEast: return QCursor(Qt::SizeHorCursor);
    case EditorCursor::SizeNorthwestSoutheast: return QCursor(Qt::SizeFDiagCursor);
    case EditorCursor::SizeNortheastSouthwest: return QCursor(Qt::SizeBDiagCursor);
    default: break;
    }
    static QCursor cache[11];
    static bool made[11] = {};
    const int i = static_cast<int>(c);
    if (!made[i]) {
        cache[i] = placementCursor(c);
        made[i] = true;
    }
    return cache[i];
}

} // namespace dispcraft
