#include "forms/ShortNumDispForm.h"
#include "objects/NumDispRecord.h"

#include "forms/ObjectFormMessages.h"

namespace dispcraft {

namespace {
int orZero(int v) { return v < 0 ? 0 : v; }
} // namespace

ShortNumDispForm::ShortNumDispForm(const Preset& p) {
    m_fields.fieldChoice = p.fieldChoice >= 0 && p.fieldChoice < kFields ? p.fieldChoice : 0;
    m_fields.entryOption = orZero(p.entryOption) != 0 ? 1 : 0;
    m_fields.reverseOption = orZero(p.reverseOption) != 0 ? 1 : 0;
    m_fields.fontChoice = p.fontChoice >= 0 && p.fontChoice <= 3 ? p.fontChoice : 0;
    m_fields.panelOptionA = (p.flags2 & NumDispRecord::kPanelOptionA) != 0;
    m_fields.panelOptionC = (p.flags2 & NumDispRecord::kNoPanelOptionC) == 0;
    m_fields.panelOptionB = (p.flags2 & NumDispRecord::kPanelOptionB) == 0 ? 1 : 0;
}

std::vector<Message> ShortNumDispForm::fieldNames() const {
    std::vector<Message> names;
    for (int i = 0; i < kFields; ++i) {
        names.push_back(Message::string(objectform::kClockField0 + i));
    }
    return names;
}

std::vector<Message> ShortNumDispForm::fontList() const { return objectform::fontNames(); }

bool ShortNumDispForm::enabled(int control) const {
    switch (control) {
    case kPanelOptionA:
    case kPanelOptionB:
    case kPanelOptionBSecond:
        return m_fields.entryOption == 1;
    case kPanelOptionC:
        return m_fields.fieldChoice != kDayOfWeek;
    default:
        return true;
    }
}

objectform::Range ShortNumDispForm::fieldRange(int fieldChoice) {
    static constexpr objectform::Range kRanges[kFields] = {{0, 59}, {0, 59}, {0, 23}, {1, 31},
                                                   {1, 12}, {1, 7},  {0, 99}};
    return fieldChoice >= 0 && fieldChoice < kFields ? kRanges[fieldChoice] : kRanges[0];
}

FormOutcome<ShortNumDispForm::Values> ShortNumDispForm::ok() const {
    Values v;
    v.fieldChoice = m_fields.fieldChoice >= 0 && m_fields.fieldChoice < kFields
                        ? m_fields.fieldChoice
                        : 0;
    objectform::Range r = fieldRange(v.fieldChoice);
    v.maximum = static_cast<int>(r.high);
    v.minimum = static_cast<int>(r.low);
    v.digits = 2;
    v.entryOption = m_fields.entryOption == 1 ? 1 : 0;
    v.reverseOption = m_fields.reverseOption == 1 ? 1 : 0;
    v.font = m_fields.fontChoice >= 0 && m_fields.fontChoice <= 3 ? m_fields.fontChoice : 0;
    uint8_t f = NumDispRecord::kScaled | (m_fields.panelOptionA ? NumDispRecord::kPanelOptionA : 0);
    if (m_fields.panelOptionB != 1) {
        f |= NumDispRecord::kPanelOptionB;
    }
    if (!m_fields.panelOptionC) {
        f |= NumDispRecord::kNoPanelOptionC;
    }
    v.flags2 = f;
    return FormOutcome<Values>::accept(v);
}

} // namespace dispcraft
