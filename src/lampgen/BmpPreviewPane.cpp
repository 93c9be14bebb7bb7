#include "lampgen/BmpPreviewPane.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>

namespace dispcraft {

BmpPreviewPane::BmpPreviewPane(QWidget* parent) : QWidget(parent) {
    // 65 x 35 dialog units: a unit is a quarter of the average character width across and an
    // eighth of the character height down.
    QFontMetrics fm(font());
    setFixedSize(fm.averageCharWidth() * 65 / 4, fm.height() * 35 / 8);
}

void BmpPreviewPane::showFile(const QString& path) {
    m_image = QImage();
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        QImageReader reader(path);
        m_image = reader.read();
    }
    update();
}

void BmpPreviewPane::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!m_image.isNull()) {
        // Nearest-neighbour stretching keeps the single dots of a small bitmap crisp.
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.drawImage(rect(), m_image);
    }
}

} // namespace dispcraft
