#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/MsgDispForm.h"

#include <optional>

class QRadioButton;

namespace dispcraft {

class AddressGroupControls;
class ReportList;

// The message display dialog: the register's address and the sixteen texts, edited in place in
// their list, and normal or reverse video.
class MsgDispDialog : public FormDialog {
    Q_OBJECT
public:
    MsgDispDialog(MsgDispForm& form, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<MsgDispForm::Values> run();

protected:
    void onOk() override;

private:
    void fillList();

    MsgDispForm& m_form;
    std::optional<MsgDispForm::Values> m_values;
    AddressGroupControls* m_address = nullptr;
    ReportList* m_list = nullptr;
    QRadioButton* m_normal = nullptr;
    QRadioButton* m_reverse = nullptr;
};

} // namespace dispcraft
