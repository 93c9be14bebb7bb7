#include "lampgen/LampPreview.h"

#include <QPainter>

namespace dispcraft {

LampPreview::LampPreview(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Room for the larger picture (64 x 32) with a margin.
    setMinimumSize(64 + 2 * frameWidth() + 16, 32 + 2 * frameWidth() + 16);
}

QImage LampPreview::render(const LampPicture& picture) {
    if (!picture.isValid()) {
        return {};
    }
    const int s = picture.size;
    QImage img(2 * s, s, QImage::Format_RGB32);
    for (int y = 0; y < s; ++y) {
        // Row 0 of the picture is its bottom row.
        const int row = s - 1 - y;
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < 2 * s; ++x) {
            line[x] = picture.at(row, x) != 0 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        }
    }
    return img;
}

void LampPreview::setPicture(const LampPicture& picture) {
    m_image = render(picture);
    update();
}

void LampPreview::clear() {
    m_image = QImage();
    update();
}

void LampPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_image.isNull()) {
        return;
    }
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), m_image);
}

} // namespace dispcraft
