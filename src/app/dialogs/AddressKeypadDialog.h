#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/AddressKeypadForm.h"

#include <optional>
#include <string>

class QLineEdit;

namespace dispcraft {

// The on-screen keypad for a PLC address: sixteen digit keys, clear and delete; OK closes only
// on an address the area accepts (silently, with the focus back on the edit).
class AddressKeypadDialog : public FormDialog {
    Q_OBJECT
public:
    AddressKeypadDialog(AddressKeypadForm& form, Prompts& prompts, QWidget* parent = nullptr);

    // The address left-padded to 4 characters, or nothing when cancelled.
    std::optional<std::string> run();
    // Opens a keypad on a form and returns its text.
    static std::optional<std::string> run(AddressKeypadForm form, Prompts& prompts, QWidget* parent);

    // An edit for address texts: upper-case hexadecimal digits only.
    static QLineEdit* makeAddressEdit(QWidget* parent);

protected:
    void onOk() override;

private:
    void press(int id);

    AddressKeypadForm& m_form;
    std::optional<std::string> m_value;
    QLineEdit* m_edit = nullptr;
};

} // namespace dispcraft
