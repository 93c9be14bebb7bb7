#include "app/SimPanelView.h"

#include "editor/ScreenRenderer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dispcraft {

namespace {

QColor colourOf(Rgb c) { return QColor(c.r, c.g, c.b); }

} // namespace

SimPanelView::SimPanelView(QWidget* parent) : QWidget(parent), m_lcdImage(LcdDots::kWidth, LcdDots::kHeight, QImage::Format_Indexed8) {
    setObjectName(QStringLiteral("simPanel"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(kWidth, kHeight);
    m_lcdImage.setColorCount(2);
    m_lcdImage.setColor(0, colourOf(ScreenRenderer::kLcdGreen).rgb());
    m_lcdImage.setColor(1, colourOf(ScreenRenderer::kInk).rgb());
    m_lcdImage.fill(0);
}

void SimPanelView::setPanel(const QImage& picture, QPoint lcdOrigin, const std::array<KeyRect, 4>& functionKeys,
                            const std::array<KeyRect, 25>& panelKeys) {
    m_picture = picture;
    m_lcdOrigin = lcdOrigin;
    m_functionKeys = functionKeys;
    m_panelKeys = panelKeys;
    update();
}

void SimPanelView::setLcd(const LcdDots& lcd) {
    if (lcd == m_lcd) {
        return;
    }
    m_lcd = lcd;
    for (int y = 0; y < LcdDots::kHeight; ++y) {
        uchar* line = m_lcdImage.scanLine(y);
        for (int x = 0; x < LcdDots::kWidth; ++x) {
            line[x] = lcd.lit(x, y) ? 1 : 0;
        }
    }
    update(lcdRect());
}

void SimPanelView::setHeld(int key, bool held) {
    if (key >= 1 && key <= 25 && m_held[static_cast<size_t>(key - 1)] != held) {
        m_held[static_cast<size_t>(key - 1)] = held;
        update(rectOf(m_panelKeys[static_cast<size_t>(key - 1)]).adjusted(-2, -2, 2, 2));
    }
}

std::optional<SimPanelView::PanelKey> SimPanelView::keyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F6) {
        const int n = qtKey - Qt::Key_F1 + 1;
        if (shift) {
            return PanelKey{false, n}; // K1..K6: the panel's own F keys
        }
        if (n <= 4) {
            return PanelKey{true, n};
        }
        return std::nullopt;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return PanelKey{false, 11 + (qtKey - Qt::Key_0)};
    }
    switch (qtKey) {
    case Qt::Key_Up: return PanelKey{false, 7};
    case Qt::Key_Down: return PanelKey{false, 8};
    case Qt::Key_Left: return PanelKey{false, 9};
    case Qt::Key_Right: return PanelKey{false, 10};
    case Qt::Key_Escape: return PanelKey{false, 21};
    case Qt::Key_Return:
    case Qt::Key_Enter: return PanelKey{false, 22};
    case Qt::Key_Plus:
    case Qt::Key_Minus: return PanelKey{false, 23};
    case Qt::Key_Period: return PanelKey{false, 24};
    case Qt::Key_Backspace:
    case Qt::Key_Delete: return PanelKey{false, 25};
    default: return std::nullopt;
    }
}

bool SimPanelView::event(QEvent* event) {
    // The panel's keys come before any shortcut of the program (F1 is the help's, for one).
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (keyOf(key->key(), key->modifiers())) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void SimPanelView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_picture.isNull()) {
        p.fillRect(rect(), QColor(90, 94, 100));
    } else {
        p.fillRect(rect(), Qt::black);
        p.drawImage(0, 0, m_picture);
    }
    p.drawImage(lcdRect(), m_lcdImage);
    // Keys held down show pressed in.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    for (size_t k = 0; k < m_held.size(); ++k) {
        if (m_held[k]) {
            p.drawRect(rectOf(m_panelKeys[k]));
        }
    }
    if (m_mouseFunctionKey) {
        p.drawRect(rectOf(m_functionKeys[static_cast<size_t>(m_mouseFunctionKey - 1)]));
    }
    if (hasFocus()) {
        p.setPen(QPen(QColor(255, 200, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(lcdRect().adjusted(-3, -3, 2, 2));
    }
}

void SimPanelView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    for (size_t i = 0; i < m_functionKeys.size(); ++i) {
        if (m_functionKeys[i].right > m_functionKeys[i].left && m_functionKeys[i].contains(at.x(), at.y())) {
            m_mouseFunctionKey = static_cast<int>(i) + 1;
            update();
            emit functionKeyPressed(m_mouseFunctionKey);
            return;
        }
    }
    for (size_t k = 0; k < m_panelKeys.size(); ++k) {
        if (m_panelKeys[k].right > m_panelKeys[k].left && m_panelKeys[k].contains(at.x(), at.y())) {
            m_mouseKey = static_cast<int>(k) + 1;
            emit panelKeyPressed(m_mouseKey);
            return;
        }
    }
}

void SimPanelView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_mouseFunctionKey) {
        m_mouseFunctionKey = 0;
        update();
    }
    if (m_mouseKey) {
        const int k = m_mouseKey;
        m_mouseKey = 0;
        emit panelKeyReleased(k);
    }
}

void SimPanelView::keyPressEvent(QKeyEvent* event) {
    const std::optional<PanelKey> key = keyOf(event->key(), event->modifiers());
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        if (key->function) {
            emit functionKeyPressed(key->number);
        } else if (!m_keyboard.count(event->key())) {
            m_keyboard[event->key()] = key->number;
            emit panelKeyPressed(key->number);
        }
    }
    event->accept();
}

void SimPanelView::keyReleaseEvent(QKeyEvent* event) {
    // The panel key the PC key pressed, whatever the modifiers are now.
    auto held = m_keyboard.find(event->key());
    if (held == m_keyboard.end() || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    const int k = held->second;
    m_keyboard.erase(held);
    emit panelKeyReleased(k);
    event->accept();
}

void SimPanelView::focusOutEvent(QFocusEvent* event) {
    // Keys cannot stay down on the panel once the PC no longer tells their release.
    const std::map<int, int> held = std::move(m_keyboard);
    m_keyboard.clear();
    for (const auto& [qtKey, k] : held) {
        emit panelKeyReleased(k);
    }
    update();
    QWidget::focusOutEvent(event);
}

} // namespace dispcraft
