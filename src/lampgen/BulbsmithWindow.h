#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dispcraft {

class LampPreview;

// Bulbsmith's one window: a source BMP path, a target .lmp path, two convert buttons (16- and
// 32-dot lamps) and a preview of the last conversion. Every text is the program's own Chinese
// text. Problems are shown in a message box and leave the window and its fields as they were.
class BulbsmithWindow : public QDialog {
    Q_OBJECT
public:
    explicit BulbsmithWindow(QWidget* parent = nullptr);

    // Replaces the message box (tests record the messages instead).
    void setMessageHandler(std::function<void(const QString&)> handler);

    // The convert buttons: checks the paths, converts the source as a lamp of the given size
    // (16 or 32; the bitmap must be 2 x size by size dots), previews the picture and writes the
    // target (".lmp" added to a name without an extension), then says what it wrote. True when
    // the file was written.
    bool convert(int size);

    // The two browse dialogs, built but not shown, so that their set-up can be checked. The
    // source dialog holds a BmpPreviewPane named "bmpPreviewPane".
    QFileDialog* createSourceDialog();
    QFileDialog* createTargetDialog();

    LampPreview* preview() const { return m_preview; }

public slots:
    void browseSource();
    void browseTarget();
    void showAbout();

private:
    void showMessage(const QString& text);

    QLineEdit* m_source = nullptr;
    QLineEdit* m_target = nullptr;
    QComboBox* m_sizeList = nullptr;
    LampPreview* m_preview = nullptr;
    QLabel* m_result = nullptr;
    std::function<void(const QString&)> m_messageHandler;
};

} // namespace dispcraft
