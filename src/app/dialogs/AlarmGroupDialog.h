#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/AlarmGroupForm.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace dispcraft {

class ReportList;
class SpinEdit;

// One alarm group: the port, area, start address and bit of its first message, the number of
// messages, their texts (edited in place in the list) and the two options. The dialog opens
// the form itself.
class AlarmGroupDialog : public FormDialog {
    Q_OBJECT
public:
    AlarmGroupDialog(AlarmGroupForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<AlarmGroupForm::Values> run();

    // What leaving the count or the start address does: the list is checked and rebuilt.
    void rebuild();

protected:
    void onOk() override;

private:
    void take();
    void showForm(int focus);

    AlarmGroupForm& m_form;
    std::optional<AlarmGroupForm::Values> m_values;
    bool m_showing = false;
    QComboBox* m_port = nullptr;
    QComboBox* m_area = nullptr;
    QLineEdit* m_start = nullptr;
    QPushButton* m_keypad = nullptr;
    SpinEdit* m_bit = nullptr;
    SpinEdit* m_count = nullptr;
    ReportList* m_list = nullptr;
    QCheckBox* m_option1 = nullptr;
    QCheckBox* m_option2 = nullptr;
};

} // namespace dispcraft
