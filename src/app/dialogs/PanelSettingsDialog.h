#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/PanelSettingsForm.h"

#include <optional>

class QCheckBox;
class QPushButton;

namespace dispcraft {

class AddressGroupControls;
class SpinEdit;

// The panel control settings: two control addresses, each used only while its option is
// ticked, four options, five numeric settings, the bit-to-screen table (for links whose PLC ID
// asks for it) and a help note. The dialog opens the form itself.
class PanelSettingsDialog : public FormDialog {
    Q_OBJECT
public:
    PanelSettingsDialog(PanelSettingsForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<PanelSettingsForm::Values> run();

    // The fixed note of the help button, joined from its pieces.
    static QString helpText();

protected:
    void onOk() override;

private:
    void take();
    void showStates();

    PanelSettingsForm& m_form;
    std::optional<PanelSettingsForm::Values> m_values;
    AddressGroupControls* m_group[2] = {};
    QCheckBox* m_use[2] = {};
    QCheckBox* m_option1143 = nullptr;
    QCheckBox* m_option1130 = nullptr;
    QCheckBox* m_option1160 = nullptr;
    QCheckBox* m_option1161 = nullptr;
    SpinEdit* m_1107 = nullptr;
    SpinEdit* m_1105 = nullptr;
    SpinEdit* m_1009 = nullptr;
    SpinEdit* m_1019 = nullptr;
    SpinEdit* m_1006 = nullptr;
    QPushButton* m_table = nullptr;
};

} // namespace dispcraft
