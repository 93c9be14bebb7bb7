#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/ScreenAssignForm.h"

#include <optional>

class QLineEdit;
class QSpinBox;
class QTreeWidget;

namespace dispcraft {

// The screen number dialog of a screen's first store and of save-as: the number, the name and
// the list of the screens that exist.
class ScreenAssignDialog : public FormDialog {
    Q_OBJECT
public:
    ScreenAssignDialog(ScreenAssignForm& form, Prompts& prompts, QWidget* parent = nullptr);

    std::optional<ScreenAssignForm::Values> run();

protected:
    void onOk() override;

private:
    ScreenAssignForm& m_form;
    std::optional<ScreenAssignForm::Values> m_values;
    QSpinBox* m_number = nullptr;
    QLineEdit* m_name = nullptr;
    QTreeWidget* m_list = nullptr;
};

// A report-view list of screens with the given columns.
QTreeWidget* makeScreenList(QWidget* parent, const std::vector<ListColumn>& columns);

} // namespace dispcraft
