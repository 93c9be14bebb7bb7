#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/ScreenManagerForm.h"

#include <optional>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace dispcraft {

// The screen list: opens, copies, renumbers, renames and deletes screens. Copy, renumber and
// delete act on the store at once.
class ScreenManagerDialog : public FormDialog {
    Q_OBJECT
public:
    ScreenManagerDialog(ScreenManagerForm& form, Prompts& prompts, QWidget* parent = nullptr);

    // The screen to open, 0 when the dialog was cancelled.
    int run();
    // Screens renumbered here, in order (old number, new number): windows showing them move
    // along.
    const std::vector<std::pair<int, int>>& moves() const { return m_moves; }

protected:
    void onOk() override;

private:
    void fill();
    void updateButtons();

    ScreenManagerForm& m_form;
    int m_chosen = 0;
    std::vector<std::pair<int, int>> m_moves;
    QTreeWidget* m_list = nullptr;
    QSpinBox* m_number = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_renumber = nullptr;
    QPushButton* m_ok = nullptr;
};

// The screen number dialog (the target of a copy).
class ScreenNumberDialog : public FormDialog {
    Q_OBJECT
public:
    ScreenNumberDialog(ScreenNumberForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<ScreenNumberForm::Values> run();

protected:
    void onOk() override;

private:
    ScreenNumberForm& m_form;
    std::optional<ScreenNumberForm::Values> m_values;
    QSpinBox* m_number = nullptr;
};

// The screen number and name dialog (renumber and rename).
class ScreenNumberNameDialog : public FormDialog {
    Q_OBJECT
public:
    ScreenNumberNameDialog(ScreenNumberNameForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<ScreenNumberNameForm::Values> run();

protected:
    void onOk() override;

private:
    ScreenNumberNameForm& m_form;
    std::optional<ScreenNumberNameForm::Values> m_values;
    QSpinBox* m_number = nullptr;
    QLineEdit* m_name = nullptr;
};

} // namespace dispcraft
