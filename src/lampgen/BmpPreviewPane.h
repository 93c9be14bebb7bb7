#pragma once

#include <QImage>
#include <QWidget>

namespace dispcraft {

// The extra pane of the source file dialog: the selected bitmap stretched over the whole pane,
// both ways, so the user sees what is about to be converted.
class BmpPreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit BmpPreviewPane(QWidget* parent = nullptr);

    // Loads the file when the name is not empty and it reads as an image; otherwise the pane
    // shows nothing.
    void showFile(const QString& path);
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace dispcraft
