#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/ChangeRecordForm.h"
#include "forms/ChangeTableForm.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dispcraft {

class ReportList;
class SpinEdit;

// One change record: a block of words on the COM1 PLC, its partner block on the COM2 PLC, the
// number of words and the direction.
class ChangeRecordDialog : public FormDialog {
    Q_OBJECT
public:
    ChangeRecordDialog(ChangeRecordForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<ChangeRecordForm::Values> run();

protected:
    void onOk() override;

private:
    void take();
    void showTexts();

    ChangeRecordForm& m_form;
    std::optional<ChangeRecordForm::Values> m_values;
    QComboBox* m_area[2] = {};
    QLineEdit* m_text[2] = {};
    SpinEdit* m_bit[2] = {};
    SpinEdit* m_count = nullptr;
    SpinEdit* m_further = nullptr;
    QRadioButton* m_option[2] = {};
};

// The address pair table: the project's change records with add, edit and delete.
class ChangeTableDialog : public FormDialog {
    Q_OBJECT
public:
    ChangeTableDialog(ChangeTableForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<ChangeTableForm::Values> run();

    void add();
    void edit();
    void remove();

protected:
    void onOk() override;

private:
    void fillList(int select);
    FormRunner<ChangeRecordForm> runner();

    ChangeTableForm& m_form;
    std::optional<ChangeTableForm::Values> m_values;
    ReportList* m_list = nullptr;
};

} // namespace dispcraft
