#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/NumDispForm.h"

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dispcraft {

class AddressGroupControls;
class SpinEdit;
struct OptionGroup;

// The numeric display dialog: the register and its coding, digits and decimals, font and
// reverse video, and for values entered at the panel the entry range and the alarm range.
class NumDispDialog : public FormDialog {
    Q_OBJECT
public:
    NumDispDialog(NumDispForm& form, Prompts& prompts, QWidget* parent = nullptr);
    ~NumDispDialog() override;

    std::optional<NumDispForm::Values> run();

protected:
    void onOk() override;

private:
    // Widgets into the form's fields and back; every change that the form reacts to goes
    // through both, so that nothing typed is lost when the form resets a range.
    void takeFields();
    void showFields();
    void showStates();
    template <typename Event>
    void react(Event event) {
        if (m_showing) {
            return;
        }
        takeFields();
        event();
        showFields();
    }

    NumDispForm& m_form;
    std::optional<NumDispForm::Values> m_values;
    bool m_showing = false;
    AddressGroupControls* m_address = nullptr;
    std::unique_ptr<OptionGroup> m_entry;
    std::unique_ptr<OptionGroup> m_coding;
    std::unique_ptr<OptionGroup> m_reverse;
    std::unique_ptr<OptionGroup> m_panelOptionB;
    SpinEdit* m_digits = nullptr;
    SpinEdit* m_decimals = nullptr;
    QComboBox* m_width = nullptr;
    QComboBox* m_font = nullptr;
    QCheckBox* m_scaleOption = nullptr;
    QLineEdit* m_scale = nullptr;
    QCheckBox* m_panelOptionA = nullptr;
    QCheckBox* m_panelOptionC = nullptr;
    QCheckBox* m_alarmOption = nullptr;
    SpinEdit* m_maximum = nullptr;
    SpinEdit* m_minimum = nullptr;
    SpinEdit* m_high = nullptr;
    SpinEdit* m_low = nullptr;
    QLabel* m_maximumLabel = nullptr;
    QLabel* m_minimumLabel = nullptr;
    QLabel* m_highLabel = nullptr;
    QLabel* m_lowLabel = nullptr;
    QWidget* m_alarmBox = nullptr;
    QWidget* m_panelBox = nullptr;
    QLabel* m_secondLabel = nullptr;
    QLineEdit* m_second = nullptr;
    QPushButton* m_secondKeypad = nullptr;
};

} // namespace dispcraft
