#pragma once

#include "app/dialogs/FormDialog.h"
#include "forms/TextStringForm.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace dispcraft {

// The static text dialog, bound to its form: the text, the font and normal or reverse video.
class TextStringDialog : public FormDialog {
    Q_OBJECT
public:
    TextStringDialog(TextStringForm& form, Prompts& prompts, QWidget* parent = nullptr);

    // The values of OK, or nothing when cancelled (Cancel empties the form's text).
    std::optional<TextStringForm::Values> run();

protected:
    void onOk() override;
    void reject() override;

private:
    void takeFields();

    TextStringForm& m_form;
    std::optional<TextStringForm::Values> m_values;
    QLineEdit* m_text = nullptr;
    QComboBox* m_font = nullptr;
    QRadioButton* m_normal = nullptr;
    QRadioButton* m_reverse = nullptr;
};

} // namespace dispcraft
