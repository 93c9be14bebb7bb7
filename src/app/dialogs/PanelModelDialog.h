#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/PanelModelForm.h"

#include <optional>

class QComboBox;

namespace dispcraft {

// The panel model of an open project: one drop-down list of the models.
class PanelModelDialog : public FormDialog {
    Q_OBJECT
public:
    PanelModelDialog(PanelModelForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<PanelModelForm::Values> run();

protected:
    void onOk() override;

private:
    PanelModelForm& m_form;
    std::optional<PanelModelForm::Values> m_values;
    QComboBox* m_list = nullptr;
};

} // namespace dispcraft
