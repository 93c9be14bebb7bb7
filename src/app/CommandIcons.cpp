#include "app/CommandIcons.h"

#include "app/Commands.h"
#include "app/IconPainter.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace dispcraft {

namespace {

using icons::kInk;
using icons::kLcd;
using icons::kLine;

// Command pictures are drawn on a 24 x 24 grid.
template <typename Draw>
QIcon painted(Draw draw) {
    return icons::painted(24, {16, 24, 32, 48}, draw);
}

// A small LCD with something on it: the object pictures share it.
void lcd(QPainter& p) {
    p.setPen(QPen(kLine, 1.2));
    p.setBrush(kLcd);
    p.drawRoundedRect(QRectF(1.5, 3.5, 21, 17), 2, 2);
}

void letter(QPainter& p, const QString& s, qreal px, const QRectF& r) {
    QFont f = QApplication::font();
    f.setPixelSize(static_cast<int>(px));
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(r, Qt::AlignCenter, s);
}

void page(QPainter& p, const QRectF& r, const QColor& fill = Qt::white) {
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.setBrush(fill);
    p.drawRect(r);
}

QIcon standard(QStyle::StandardPixmap sp) { return QApplication::style()->standardIcon(sp); }

} // namespace

QIcon commandIcon(int id) {
    using namespace command;
    switch (id) {
    case kNewProject: return standard(QStyle::SP_FileIcon);
    case kOpenProject: return standard(QStyle::SP_DialogOpenButton);
    case kSaveProject: return standard(QStyle::SP_DialogSaveButton);
    case kPreviousScreen: return standard(QStyle::SP_ArrowBack);
    case kNextScreen: return standard(QStyle::SP_ArrowForward);
    case kRedraw: return standard(QStyle::SP_BrowserReload);
    case kScreenList: return standard(QStyle::SP_FileDialogDetailedView);
    case kAbout: return standard(QStyle::SP_MessageBoxInformation);
    case kDocument1: return standard(QStyle::SP_DialogHelpButton);
    case kUndo:
    case kRedo:
        return painted([redo = id == kRedo](QPainter& p) {
            // A hooked arrow turning back (undo) or on (redo).
            if (redo) {
                p.translate(24, 0);
                p.scale(-1, 1);
            }
            p.setPen(QPen(QColor(20, 90, 200), 2.4, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            QPainterPath hook;
            hook.moveTo(6, 10);
            hook.lineTo(15, 10);
            hook.cubicTo(22, 10, 22, 20, 15, 20);
            hook.lineTo(9, 20);
            p.drawPath(hook);
            p.setBrush(QColor(20, 90, 200));
            p.setPen(Qt::NoPen);
            QPolygonF head;
            head << QPointF(2, 10) << QPointF(8, 5) << QPointF(8, 15);
            p.drawPolygon(head);
        });
    case kDelete:
        return painted([](QPainter& p) {
            p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(6, 6), QPointF(18, 18));
            p.drawLine(QPointF(18, 6), QPointF(6, 18));
        });
    case kCopy:
        return painted([](QPainter& p) {
            page(p, QRectF(3.5, 3.5, 11, 13));
            page(p, QRectF(9.5, 7.5, 11, 13));
        });
    case kCut:
        return painted([](QPainter& p) {
            p.setPen(QPen(kInk, 1.6));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 14, 6, 6));
            p.drawEllipse(QRectF(14, 14, 6, 6));
            p.drawLine(QPointF(9, 15), QPointF(17, 3));
            p.drawLine(QPointF(15, 15), QPointF(7, 3));
        });
    case kPaste:
        return painted([](QPainter& p) {
            p.setPen(QPen(QColor(110, 80, 40), 1.2));
            p.setBrush(QColor(200, 160, 100));
            p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 1.5, 1.5);
            p.setBrush(QColor(150, 150, 150));
            p.drawRect(QRectF(7.5, 2.5, 6, 4));
            page(p, QRectF(10.5, 9.5, 10, 12));
        });
    case kNewScreen:
        return painted([](QPainter& p) {
            lcd(p);
            p.setPen(QPen(QColor(20, 90, 200), 2.4));
            p.drawLine(QPointF(12, 7), QPointF(12, 17));
            p.drawLine(QPointF(7, 12), QPointF(17, 12));
        });
    case kSimulate:
        return painted([](QPainter& p) {
            // The LCD running.
            lcd(p);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 90, 200));
            p.drawPolygon(QPolygonF({QPointF(9, 7.5), QPointF(17, 12), QPointF(9, 16.5)}));
        });
    case kBuild:
        return painted([](QPainter& p) {
            // An arrow into a chip: compile and send.
            p.setPen(QPen(kLine, 1.2));
            p.setBrush(QColor(60, 60, 60));
            p.drawRect(QRectF(5.5, 12.5, 13, 9));
            p.setPen(QPen(QColor(180, 180, 180), 1));
            for (int i = 0; i < 4; ++i) {
                p.drawLine(QPointF(7 + 3 * i, 21.5), QPointF(7 + 3 * i, 23.5));
            }
            QPainterPath arrow;
            arrow.moveTo(12, 11);
            arrow.lineTo(6.5, 5.5);
            arrow.lineTo(10, 5.5);
            arrow.lineTo(10, 1);
            arrow.lineTo(14, 1);
            arrow.lineTo(14, 5.5);
            arrow.lineTo(17.5, 5.5);
            arrow.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 150, 40));
            p.drawPath(arrow);
        });
    case kSelectTool:
        return painted([](QPainter& p) {
            QPainterPath arrow;
            arrow.moveTo(6, 3);
            arrow.lineTo(6, 19);
            arrow.lineTo(10, 15);
            arrow.lineTo(13, 21);
            arrow.lineTo(15.5, 20);
            arrow.lineTo(12.5, 14);
            arrow.lineTo(18, 14);
            arrow.closeSubpath();
            p.setPen(QPen(Qt::black, 1.2));
            p.setBrush(Qt::white);
            p.drawPath(arrow);
        });
    case kPlaceTextString:
        return painted([](QPainter& p) {
            lcd(p);
            letter(p, QStringLiteral("Ab"), 11, QRectF(1.5, 3.5, 21, 17));
        });
    case kPlaceMsgDisp:
        return painted([](QPainter& p) {
            lcd(p);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(4, 7, 16, 4));
            p.drawRect(QRectF(4, 13, 11, 4));
        });
    case kPlaceNumDisp:
        return painted([](QPainter& p) {
            lcd(p);
            letter(p, QStringLiteral("123"), 9, QRectF(1.5, 3.5, 21, 17));
        });
    case kPlaceShortNumDisp:
        return painted([](QPainter& p) {
            p.setPen(QPen(kLine, 1.4));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
            p.setPen(QPen(kInk, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12, 12), QPointF(12, 6));
            p.drawLine(QPointF(12, 12), QPointF(16, 14));
        });
    case kPlaceBarGraph:
        return painted([](QPainter& p) {
            lcd(p);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(5, 12, 3, 6));
            p.drawRect(QRectF(10.5, 8, 3, 10));
            p.drawRect(QRectF(16, 6, 3, 12));
        });
    case kPlaceTrendGraph:
        return painted([](QPainter& p) {
            lcd(p);
            p.setPen(QPen(kInk, 1.5));
            p.drawPolyline(QPolygonF({QPointF(4, 17), QPointF(9, 11), QPointF(13, 14),
                                      QPointF(19, 6)}));
        });
    case kPlaceLamp:
        return painted([](QPainter& p) {
            QRadialGradient glow(QPointF(10, 9), 9);
            glow.setColorAt(0.0, QColor(255, 255, 210));
            glow.setColorAt(0.6, QColor(255, 214, 60));
            glow.setColorAt(1.0, QColor(220, 140, 0));
            p.setPen(QPen(QColor(120, 80, 0), 1.2));
            p.setBrush(glow);
            p.drawEllipse(QRectF(4, 2, 16, 16));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(140, 140, 140));
            p.drawRect(QRectF(8.5, 17.5, 7, 5));
        });
    case kPlacePicture:
        return painted([](QPainter& p) {
            lcd(p);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 7; ++x) {
                    if ((x + y) % 2 == 0 || y == 2) {
                        p.drawRect(QRectF(5 + 2 * x, 7 + 2 * y, 1.6, 1.6));
                    }
                }
            }
        });
    default: break;
    }
    return {};
}

QIcon programIcon() {
    return painted([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(kLine);
        p.drawRoundedRect(QRectF(0.5, 2.5, 23, 19), 3, 3);
        p.setBrush(kLcd);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(3, 5, 18, 9));
        p.setBrush(kInk);
        p.drawRect(QRectF(5, 7, 6, 2));
        p.drawRect(QRectF(5, 10.5, 10, 2));
        p.setBrush(QColor(220, 220, 220));
        for (int i = 0; i < 4; ++i) {
            p.drawRect(QRectF(3.5 + 4.8 * i, 16, 3, 3));
        }
    });
}

} // namespace dispcraft
