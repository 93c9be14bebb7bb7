#include "app/ScreenCanvas.h"

#include "app/EditorCursors.h"
#include "editor/ScreenRenderer.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dispcraft {

namespace {
Point viewPoint(const QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    return {p.x(), p.y()};
}
} // namespace

ScreenCanvas::ScreenCanvas(EditorSession& session, ScreenRenderer& renderer, QWidget* parent)
    : QWidget(parent), m_session(session), m_renderer(renderer) {
    setFixedSize(ScreenRenderer::kWidth, ScreenRenderer::kHeight);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize ScreenCanvas::sizeHint() const { return {ScreenRenderer::kWidth, ScreenRenderer::kHeight}; }

void ScreenCanvas::refresh(bool force) {
    std::vector<Invalidation> parts = m_session.screen().takeInvalidations();
    if (parts.empty() && !force && m_drawn) {
        return;
    }
    // The whole view is drawn each time (the renderer keeps no cache); only the invalidated
    // parts are put on the screen.
    if (!m_renderer.hasPanelPicture()) {
        m_session.screen().panelPictureMissing();
    }
    m_renderer.render(m_session.readyToPaint(), m_image);
    m_drawn = true;
    // Getting ready to paint may change the working records (a picture of a deleted entry goes)
    // and the first drawing without a panel picture reports it: take what they invalidated too.
    std::vector<Invalidation> more = m_session.screen().takeInvalidations();
    parts.insert(parts.end(), more.begin(), more.end());
    if (force || parts.empty()) {
        update();
        return;
    }
    for (const Invalidation& inv : parts) {
        update(QRect(inv.rect.left, inv.rect.top, inv.rect.width(), inv.rect.height()));
    }
}

QImage ScreenCanvas::picture() const {
    if (m_image.width() == 0) {
        return {};
    }
    return QImage(m_image.data(), m_image.width(), m_image.height(),
                  static_cast<qsizetype>(m_image.bytesPerLine()), QImage::Format_RGB888)
        .copy();
}

void ScreenCanvas::paintEvent(QPaintEvent* event) {
    if (!m_drawn) {
        refresh(true);
    }
    QPainter p(this);
    if (m_image.width() == 0) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    const QImage img(m_image.data(), m_image.width(), m_image.height(),
                     static_cast<qsizetype>(m_image.bytesPerLine()), QImage::Format_RGB888);
    p.drawImage(event->rect(), img, event->rect());
}

void ScreenCanvas::syncCursor() {
    if (m_session.pointer().cursor() != m_cursor) {
        m_cursor = m_session.pointer().cursor();
        setCursor(editorCursor(m_cursor));
    }
}

void ScreenCanvas::afterEvent() {
    refresh();
    syncCursor();
    emit sessionChanged();
}

void ScreenCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const bool toggle = (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) != 0;
    m_session.press(viewPoint(event), toggle);
    afterEvent();
}

void ScreenCanvas::mouseMoveEvent(QMouseEvent* event) {
    m_session.pointer().move(viewPoint(event), (event->buttons() & Qt::LeftButton) != 0);
    afterEvent();
    emit statusText(QString::fromStdString(m_session.pointer().statusText()));
}

void ScreenCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_session.release(viewPoint(event));
    afterEvent();
}

void ScreenCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    EditRequest request = m_session.pointer().doubleClick(viewPoint(event));
    afterEvent();
    emit editRequested(request);
}

void ScreenCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_session.pointer().escape();
        afterEvent();
        return;
    }
    if (event->key() == Qt::Key_Delete && m_session.screen().objects().anySelected()) {
        m_session.deleteSelected();
        afterEvent();
        return;
    }
    // The arrows move the selection by one grid step.
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        int right = 0;
        int down = 0;
        switch (event->key()) {
        case Qt::Key_Left: right = -1; break;
        case Qt::Key_Right: right = 1; break;
        case Qt::Key_Up: down = -1; break;
        case Qt::Key_Down: down = 1; break;
        default: break;
        }
        if (right != 0 || down != 0) {
            m_session.nudge(right, down);
            afterEvent();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void ScreenCanvas::contextMenuEvent(QContextMenuEvent* event) {
    // The menu's cut, copy, paste and delete act on this view: it takes the focus.
    setFocus(Qt::PopupFocusReason);
    const bool show = m_session.pointer().contextMenu();
    afterEvent();
    if (show) {
        const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                       : mapToGlobal(QPoint(5, 5));
        emit contextMenuRequested(at);
    }
}

} // namespace dispcraft
