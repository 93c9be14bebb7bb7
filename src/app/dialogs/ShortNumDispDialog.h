#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/ShortNumDispForm.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;

namespace dispcraft {

struct OptionGroup;

// The clock display dialog: which field of the panel's clock and calendar is shown, its display
// options and its font.
class ShortNumDispDialog : public FormDialog {
    Q_OBJECT
public:
    ShortNumDispDialog(ShortNumDispForm& form, Prompts& prompts, QWidget* parent = nullptr);
    ~ShortNumDispDialog() override;

    std::optional<ShortNumDispForm::Values> run();

protected:
    void onOk() override;

private:
    void takeFields();
    void showStates();

    ShortNumDispForm& m_form;
    std::optional<ShortNumDispForm::Values> m_values;
    std::unique_ptr<OptionGroup> m_field;
    std::unique_ptr<OptionGroup> m_entry;
    std::unique_ptr<OptionGroup> m_reverse;
    std::unique_ptr<OptionGroup> m_panelOptionB;
    QCheckBox* m_panelOptionA = nullptr;
    QCheckBox* m_panelOptionC = nullptr;
    QComboBox* m_font = nullptr;
};

} // namespace dispcraft
