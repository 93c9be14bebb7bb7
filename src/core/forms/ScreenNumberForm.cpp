#include "forms/ScreenNumberForm.h"

#include "forms/FormMessages.h"

namespace dispcraft {

ScreenNumberForm::ScreenNumberForm(long long number, int captionString)
    : m_caption(captionString) {
    m_fields.number = number;
}

FormOutcome<ScreenNumberForm::Values> ScreenNumberForm::ok() const {
    if (!range().contains(m_fields.number)) {
        return FormOutcome<Values>::fail(formmsg::range(range().low, range().high), kEdit);
    }
    return FormOutcome<Values>::accept(Values{static_cast<int>(m_fields.number)});
}

} // namespace dispcraft
