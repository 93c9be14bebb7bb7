#pragma once

#include "model/KeyRect.h"
#include "objects/LcdDots.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <map>
#include <optional>

namespace dispcraft {

// The panel of the simulator window: the model's panel picture at 1:1 with the simulated LCD on
// it (2 x 2 pixels per dot, in the screen editor's colours) and its keys, which take mouse
// presses and the PC keyboard. It only shows and reports; the window drives the panel.
class SimPanelView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 500;

    explicit SimPanelView(QWidget* parent = nullptr);

    // The model's picture (a null image: a plain grey front), the LCD's top-left pixel and the
    // key rectangles of the panel model.
    void setPanel(const QImage& picture, QPoint lcdOrigin, const std::array<KeyRect, 4>& functionKeys,
                  const std::array<KeyRect, 25>& panelKeys);
    // Shows the LCD; repaints only when a dot changed.
    void setLcd(const LcdDots& lcd);
    // Panel key k (1..25) drawn as held down.
    void setHeld(int key, bool held);

    // The PC key of a Qt key event: a function key (1..4) or a panel key (1..25); none for
    // other keys.
    struct PanelKey {
        bool function = false;
        int number = 0;
    };
    static std::optional<PanelKey> keyOf(int qtKey, Qt::KeyboardModifiers modifiers);

    QImage lcdPicture() const { return m_lcdImage; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }

signals:
    void functionKeyPressed(int n);
    void panelKeyPressed(int k);
    void panelKeyReleased(int k);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRect lcdRect() const { return {m_lcdOrigin, QSize(2 * LcdDots::kWidth, 2 * LcdDots::kHeight)}; }
    static QRect rectOf(const KeyRect& k) { return QRect(QPoint(k.left, k.top), QPoint(k.right - 1, k.bottom - 1)); }

    QImage m_picture;
    QPoint m_lcdOrigin;
    std::array<KeyRect, 4> m_functionKeys{};
    std::array<KeyRect, 25> m_panelKeys{};
    LcdDots m_lcd;
    QImage m_lcdImage; // 192 x 64, one pixel per dot
    std::array<bool, 25> m_held{};
    int m_mouseKey = 0;         // the panel key the mouse holds down
    int m_mouseFunctionKey = 0; // the function key pressed, shown until release
    std::map<int, int> m_keyboard; // PC keys held down: Qt key -> panel key
};

} // namespace dispcraft
