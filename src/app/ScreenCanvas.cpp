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
    std::vector<Invalidation> parts = m_session.takeInvalidations();
    if (parts.empty() && !force && m_drawn) {
        return;
    }
    // The whole view is drawn each time (the renderer keeps no cache); only the invalidated
    // parts are put on the screen.
    m_renderer.render(m_session, m_image);
    m_drawn = true;
    // Drawing may change the working records (a picture of a deleted entry goes) or, on the
    // first drawing without a panel picture, report it: take what it invalidated too.
    std::vector<Invalidation> more = m_session.takeInvalidations();
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

void ScreenCanvas::afterEvent() {
    refresh();
    if (m_session.cursor() != m_cursor) {
        m_cursor = m_session.cursor();
        setCursor(editorCursor(m_cursor));
    }
    emit sessionChanged();
}

void ScreenCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_session.press(viewPoint(event));
    afterEvent();
}

void ScreenCanvas::mouseMoveEvent(QMouseEvent* event) {
    m_session.move(viewPoint(event), (event->buttons() & Qt::LeftButton) != 0);
    afterEvent();
    emit statusText(QString::fromStdString(m_session.statusText()));
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
    EditRequest request = m_session.doubleClick(viewPoint(event));
    afterEvent();
    emit editRequested(request);
}

void ScreenCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_session.escape();
        afterEvent();
        return;
    }
    if (event->key() == Qt::Key_Delete && m_session.objects().anySelected()) {
        m_session.deleteKey();
        afterEvent();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ScreenCanvas::contextMenuEvent(QContextMenuEvent* event) {
    const bool show = m_session.contextMenu();
    afterEvent();
    if (show) {
        const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                       : mapToGlobal(QPoint(5, 5));
        emit contextMenuRequested(at);
    }
}

} // namespace dispcraft
