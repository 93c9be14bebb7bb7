#include "forms/ScreenNumberNameForm.h"

#include "forms/FormMessages.h"
#include "forms/FormText.h"

namespace dispcraft {

ScreenNumberNameForm::ScreenNumberNameForm(int number, std::string_view gbName, bool fixed)
    : m_callerNumber(number), m_fixed(fixed) {
    m_fields.number = number;
    m_fields.name = formtext::fromStore(gbName);
}

Message ScreenNumberNameForm::caption() const {
    return Message::string(m_fixed ? formmsg::kNewScreenNumberNameTitle : formmsg::kScreenNumberNameTitle, {std::to_string(m_callerNumber)});
}

FormOutcome<ScreenNumberNameForm::Values> ScreenNumberNameForm::ok() const {
    if (!range().contains(m_fields.number)) {
        return FormOutcome<Values>::fail(formmsg::range(range().low, range().high), kNumber);
    }
    auto gb = formtext::toStore(m_fields.name, kName);
    if (!gb.ok()) {
        return FormOutcome<Values>::failLike(gb);
    }
    if (gb.values->size() > kNameBytes) {
        return FormOutcome<Values>::fail(Message::string(formmsg::kScreenNameTooLong), kName);
    }
    return FormOutcome<Values>::accept(Values{static_cast<int>(m_fields.number), *gb.values});
}

} // namespace dispcraft
