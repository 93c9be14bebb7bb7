#include "app/workspace/TreeIcons.h"

#include "app/IconPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace dispcraft::treeicons {

namespace {

using icons::kLcd;
using icons::kLine;
const QColor kFolder(232, 190, 80);
const QColor kPaper(255, 255, 255);

// Tree pictures are drawn on a 16 x 16 grid, also at twice the size for dense screens.
template <typename Draw>
QIcon painted(Draw draw) {
    return icons::painted(16, {16, 32}, draw);
}

void folder(QPainter& p, bool open) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(kFolder.darker(110));
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kFolder);
    if (open) {
        QPolygonF front({{3.5, 7}, {15.5, 7}, {13.5, 13.5}, {1.5, 13.5}});
        p.drawPolygon(front);
    } else {
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
}

void document(QPainter& p, const QColor& fill) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(fill);
    QPolygonF sheet({{3.5, 1.5}, {10, 1.5}, {12.5, 4}, {12.5, 14.5}, {3.5, 14.5}});
    p.drawPolygon(sheet);
    p.setPen(QPen(kLine.lighter(150), 1));
    for (qreal y : {6.5, 9.0, 11.5}) {
        p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
    }
}

// A small LCD with a line of text.
void screenPage(QPainter& p) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(QColor(200, 200, 205));
    p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 1.5, 1.5);
    p.setBrush(kLcd);
    p.drawRect(QRectF(2.5, 4.5, 11, 7));
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.drawLine(QPointF(4, 7), QPointF(10, 7));
    p.drawLine(QPointF(4, 9.5), QPointF(8, 9.5));
}

void bell(QPainter& p) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(QColor(235, 90, 60));
    QPainterPath b;
    b.moveTo(8, 1.5);
    b.cubicTo(12.5, 1.5, 12.5, 6, 12.5, 9);
    b.lineTo(14.5, 12);
    b.lineTo(1.5, 12);
    b.lineTo(3.5, 9);
    b.cubicTo(3.5, 6, 3.5, 1.5, 8, 1.5);
    p.drawPath(b);
    p.drawEllipse(QPointF(8, 13.5), 1.6, 1.6);
}

void sliders(QPainter& p) {
    p.setPen(QPen(kLine, 1.2));
    for (qreal y : {3.5, 8.0, 12.5}) {
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    }
    p.setBrush(QColor(80, 140, 220));
    p.drawRect(QRectF(9, 2, 3, 3));
    p.drawRect(QRectF(3.5, 6.5, 3, 3));
    p.drawRect(QRectF(7.5, 11, 3, 3));
}

void link(QPainter& p) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(QColor(120, 120, 130));
    // A serial plug and its cable.
    QPolygonF plug({{1.5, 4.5}, {10.5, 4.5}, {9.5, 10.5}, {2.5, 10.5}});
    p.drawPolygon(plug);
    p.setBrush(QColor(240, 240, 240));
    for (qreal x : {3.5, 5.5, 7.5}) {
        p.drawEllipse(QPointF(x + 0.5, 7), 0.7, 0.7);
    }
    p.setPen(QPen(QColor(40, 90, 180), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(10.5, 7.5);
    cable.cubicTo(14, 7.5, 12, 14, 15.5, 14);
    p.drawPath(cable);
}

// The operator panel: housing, LCD and a row of keys.
void panel(QPainter& p) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(QColor(90, 96, 110));
    p.drawRoundedRect(QRectF(0.5, 1.5, 15, 13), 1.5, 1.5);
    p.setBrush(kLcd);
    p.drawRect(QRectF(2.5, 3.5, 11, 5));
    p.setBrush(QColor(230, 230, 230));
    for (qreal x : {2.5, 6.0, 9.5}) {
        p.drawRect(QRectF(x, 10.5, 2.5, 2));
    }
}

void resource(QPainter& p, bool selected) {
    p.setPen(QPen(kLine, 1));
    p.setBrush(selected ? QColor(120, 180, 240) : QColor(190, 200, 215));
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setBrush(selected ? QColor(250, 250, 250) : QColor(235, 235, 235));
    p.drawRect(QRectF(4.5, 4.5, 3, 3));
    p.drawRect(QRectF(8.5, 8.5, 3, 3));
}

} // namespace

QIcon withSelected(const QIcon& normal, const QIcon& selected) {
    QIcon icon;
    for (const QSize& s : normal.availableSizes()) {
        icon.addPixmap(normal.pixmap(s), QIcon::Normal);
        icon.addPixmap(selected.pixmap(s), QIcon::Selected);
    }
    return icon;
}

std::vector<QIcon> projectList() {
    return {painted([](QPainter& p) { folder(p, false); }), painted(screenPage), painted(bell),
            painted(sliders), painted(link), painted(panel)};
}

std::vector<QIcon> fileList() {
    return {painted([](QPainter& p) { folder(p, false); }),
            painted([](QPainter& p) { folder(p, true); }),
            painted([](QPainter& p) { document(p, kPaper); }),
            painted([](QPainter& p) { document(p, QColor(255, 245, 200)); })};
}

std::vector<QIcon> resourceList() {
    return {painted([](QPainter& p) { resource(p, false); }),
            painted([](QPainter& p) { resource(p, true); })};
}

} // namespace dispcraft::treeicons
