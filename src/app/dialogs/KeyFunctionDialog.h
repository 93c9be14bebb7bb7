#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/KeyFunctionForm.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dispcraft {

class SpinEdit;

// The panel key function dialog: show a screen, act on a PLC bit, write a word, or the model's
// fourth action; the port, area, address, bit and value of the chosen action; and whether the
// key is defined for this screen only (per screen) or for the whole project.
class KeyFunctionDialog : public FormDialog {
    Q_OBJECT
public:
    struct Result {
        KeyFunctionForm::Values values;
        bool perScreen = false;
    };

    KeyFunctionDialog(KeyFunctionForm& form, bool perScreen, const QString& title, Prompts& prompts,
                      QWidget* parent = nullptr);
    std::optional<Result> run();

protected:
    void onOk() override;

private:
    void take();
    void showForm();
    void applyLimits();

    KeyFunctionForm& m_form;
    std::optional<Result> m_result;
    bool m_showing = false;
    QRadioButton* m_action[4] = {};
    QCheckBox* m_perScreen = nullptr;
    QLabel* m_targetLabel = nullptr;
    SpinEdit* m_screen = nullptr;
    QCheckBox* m_extra = nullptr;
    QGroupBox* m_addressBox = nullptr;
    QComboBox* m_port = nullptr;
    QComboBox* m_area = nullptr;
    QLineEdit* m_address = nullptr;
    QPushButton* m_keypad = nullptr;
    SpinEdit* m_bit = nullptr;
    QGroupBox* m_bitModeBox = nullptr;
    QRadioButton* m_bitMode[4] = {};
    QGroupBox* m_wordBox = nullptr;
    QComboBox* m_wordSize = nullptr;
    QRadioButton* m_format[3] = {};
    SpinEdit* m_value = nullptr;
};

} // namespace dispcraft
