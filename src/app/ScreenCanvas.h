#pragma once

#include "editor/EditorSession.h"
#include "base/RgbImage.h"

#include <QWidget>

namespace dispcraft {

class ScreenRenderer;

// The drawing surface of a screen window: the 800 x 500 panel picture at 1:1. It hands pointer
// and key events to the editor session, repaints what the session invalidates, shows the
// cursor the session asks for and reports the session's status text.
class ScreenCanvas : public QWidget {
    Q_OBJECT
public:
    ScreenCanvas(EditorSession& session, ScreenRenderer& renderer, QWidget* parent = nullptr);

    // Draws the session anew when it invalidated something (or always with force) and repaints
    // the invalidated parts.
    void refresh(bool force = false);
    // The last drawing, as shown (for tests and screenshots).
    QImage picture() const;

    QSize sizeHint() const override;
    // Shows the cursor of the session's tool now (a placement tool armed from a command).
    void syncCursor();

signals:
    void statusText(const QString& text);
    void editRequested(const dispcraft::EditRequest& request);
    void contextMenuRequested(const QPoint& globalPos);
    // Something that may change the enable rules happened (selection, placement, deletion).
    void sessionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void afterEvent();

    EditorSession& m_session;
    ScreenRenderer& m_renderer;
    RgbImage m_image;
    EditorCursor m_cursor = EditorCursor::Arrow;
    bool m_drawn = false;
};

} // namespace dispcraft
