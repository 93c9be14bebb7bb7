#pragma once

#include "lamp/LampPicture.h"

#include <QFrame>
#include <QImage>

namespace dispcraft {

// The preview area of the main window: the last converted lamp picture, both states side by
// side, one screen pixel per dot from the area's top-left corner, upright, white where the dot
// byte is 1 and black where it is 0.
class LampPreview : public QFrame {
    Q_OBJECT
public:
    explicit LampPreview(QWidget* parent = nullptr);

    void setPicture(const LampPicture& picture);
    void clear();
    // What is drawn: 2S x S pixels, or a null image before the first conversion.
    const QImage& image() const { return m_image; }

    static QImage render(const LampPicture& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace dispcraft
