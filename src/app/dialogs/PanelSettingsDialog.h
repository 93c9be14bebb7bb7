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
    QCheckBox* m_optionA = nullptr;
    QCheckBox* m_optionB = nullptr;
    QCheckBox* m_optionC = nullptr;
    QCheckBox* m_optionD = nullptr;
    SpinEdit* m_setting1 = nullptr;
    SpinEdit* m_startScreen = nullptr;
    SpinEdit* m_setting2 = nullptr;
    SpinEdit* m_setting3 = nullptr;
    SpinEdit* m_setting4 = nullptr;
    QPushButton* m_table = nullptr;
};

} // namespace dispcraft
