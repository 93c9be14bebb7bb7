#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/BitScreenTableForm.h"

#include <optional>

namespace dispcraft {

class ReportList;
class SpinEdit;

// The bit-to-screen table: how many PLC bits call screens, and for each bit its screen (a
// double-click on a row chooses it).
class BitScreenTableDialog : public FormDialog {
    Q_OBJECT
public:
    BitScreenTableDialog(BitScreenTableForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<BitScreenTableForm::Values> run();

    // The count edit lost the focus: the list follows it.
    void refresh();
    void editRow(int row);

protected:
    void onOk() override;

private:
    void fillList();

    BitScreenTableForm& m_form;
    std::optional<BitScreenTableForm::Values> m_values;
    SpinEdit* m_count = nullptr;
    ReportList* m_list = nullptr;
};

} // namespace dispcraft
