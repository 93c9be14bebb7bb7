#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/ModelLinkForm.h"

#include <optional>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace dispcraft {

// The panel model and link selection dialog of a new project, bound to its form: the model
// list, a protocol list and a parameters button per port, and the summary of the links.
class ModelLinkDialog : public FormDialog {
    Q_OBJECT
public:
    // The form is open (ModelLinkForm::open) when the dialog is made.
    ModelLinkDialog(ModelLinkForm& form, Prompts& prompts, QWidget* parent = nullptr);

    // Shows the dialog; the values of its OK, or nothing when it was cancelled.
    std::optional<ModelLinkForm::Values> run();

protected:
    void onOk() override;

private:
    void showForm();
    void parameters(int port);

    ModelLinkForm& m_form;
    std::optional<ModelLinkForm::Values> m_values;
    QComboBox* m_model = nullptr;
    QComboBox* m_protocols[2] = {};
    QPushButton* m_params[2] = {};
    QPlainTextEdit* m_summary = nullptr;
    bool m_showing = false;
};

} // namespace dispcraft
