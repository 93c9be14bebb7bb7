#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/PictureForm.h"

#include <QFileDialog>
#include <optional>

class QPushButton;

namespace dispcraft {

class DotPreview;
class ReportList;
class SpinEdit;

// The file dialog of the picture import (CPartPicture): a file-open dialog for BMPs with a pane
// that previews the selected file and takes the picture number.
class PictureImportDialog : public QFileDialog {
    Q_OBJECT
public:
    PictureImportDialog(const QString& startDirectory, QWidget* parent = nullptr);

    QString chosenFile() const;
    int number() const;
    SpinEdit* numberEdit() const { return m_number; }
    DotPreview* previewArea() const { return m_preview; }

    // Draws a bitmap file stretched over the pane (empty when it is not one).
    void showPreview(const QString& path);

private:

    DotPreview* m_preview = nullptr;
    SpinEdit* m_number = nullptr;
};

// The picture dialog: the project's picture table in a list with a preview of the chosen
// picture, import of monochrome BMPs, deletion, and the choice of the picture to show.
class PictureDialog : public FormDialog {
    Q_OBJECT
public:
    // pictureDirectory: where the import's file dialog starts.
    PictureDialog(PictureForm& form, Prompts& prompts, QString pictureDirectory, QWidget* parent = nullptr);
    ~PictureDialog() override;

    std::optional<PictureForm::Values> run();

    DotPreview* previewArea() const { return m_preview; }

protected:
    void onOk() override;
    void showEvent(QShowEvent* event) override;

private:
    void fillList();
    void renderPreview();
    void import();

    PictureForm& m_form;
    QString m_pictureDir;
    std::optional<PictureForm::Values> m_values;
    ReportList* m_list = nullptr;
    DotPreview* m_preview = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_delete = nullptr;
    bool m_timerStarted = false;
};

} // namespace dispcraft
