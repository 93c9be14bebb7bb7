#include "forms/TextStringForm.h"

#include "forms/FormText.h"
#include "forms/ObjectFormMessages.h"

namespace dispcraft {

TextStringForm::TextStringForm(std::string_view gbText, int fontIndex, int reverse) {
    m_fields.text = formtext::fromStore(gbText);
    m_fields.fontIndex = fontIndex >= 0 && fontIndex <= 3 ? fontIndex : 0;
    m_fields.reverse = reverse == 1 ? 1 : 0;
}

std::vector<Message> TextStringForm::fontList() const { return objectform::fontNames(); }

FormOutcome<TextStringForm::Values> TextStringForm::ok() const {
    using Outcome = FormOutcome<Values>;
    if (m_fields.text.empty()) {
        return Outcome::fail(Message::string(objectform::kTextEmpty), kText);
    }
    FormOutcome<std::string> gb = formtext::toStore(m_fields.text, kText);
    if (!gb.ok()) {
        return Outcome::failLike(gb);
    }
    // A font outside the list cannot come from the widget; treat it as the narrow default.
    int font = m_fields.fontIndex >= 0 && m_fields.fontIndex <= 3 ? m_fields.fontIndex : 0;
    if (gb.values->size() > byteLimit(font)) {
        return Outcome::fail(Message::string(byteLimit(font) == 24 ? objectform::kTextTooLongNarrow : objectform::kTextTooLongWide), kText);
    }
    Values v;
    v.text = std::move(*gb.values);
    v.fontIndex = font;
    v.reverse = m_fields.reverse == 1;
    return Outcome::accept(std::move(v));
}

} // namespace dispcraft
