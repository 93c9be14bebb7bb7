#include "forms/NumberForm.h"

#include "forms/FormMessages.h"

namespace dispcraft {

FormOutcome<NumberForm::Values> NumberForm::ok() const {
    if (!range().contains(m_fields.value)) {
        return FormOutcome<Values>::fail(formmsg::range(range().low, range().high), kEdit);
    }
    return FormOutcome<Values>::accept(Values{static_cast<int>(m_fields.value)});
}

} // namespace dispcraft
