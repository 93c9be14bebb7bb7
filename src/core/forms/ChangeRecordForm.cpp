#include "forms/ChangeRecordForm.h"

#include "forms/AddressRules.h"
#include "forms/FormMessages.h"

#include <algorithm>
#include <utility>

namespace dispcraft {

ChangeRecord ChangeRecordForm::Values::pack() const {
    ChangeRecord r{};
    r.options = option ? ChangeRecord::kFromCom2 : 0;
    r.length = static_cast<uint8_t>(count);
    r.firstBitAndArea = ChangeRecord::bitAndArea(first.bit, first.area);
    r.secondBitAndArea = ChangeRecord::bitAndArea(second.bit, second.area);
    r.firstAddress = static_cast<uint16_t>(first.address);
    r.secondAddress = static_cast<uint16_t>(second.address);
    return r;
}

ChangeRecordForm::Preset ChangeRecordForm::presetFrom(const ChangeRecord& record) {
    Preset p;
    p.option = (record.options & ChangeRecord::kFromCom2) ? 1 : 0;
    p.count = record.length;
    p.first = Endpoint{ChangeRecord::areaOf(record.firstBitAndArea), record.firstAddress,
                       ChangeRecord::bitOf(record.firstBitAndArea)};
    p.second = Endpoint{ChangeRecord::areaOf(record.secondBitAndArea), record.secondAddress,
                        ChangeRecord::bitOf(record.secondBitAndArea)};
    return p;
}

ChangeRecordForm::ChangeRecordForm(Preset preset) : m_preset(std::move(preset)) {
    // The count goes into one byte of the record.
    m_maximum = std::clamp(m_preset.maximum, 1, 255);
    Fields& f = m_fields;
    f.firstArea = m_preset.first.area;
    if (f.firstArea < 0 || f.firstArea >= words(0).count()) {
        f.firstArea = 0;
    }
    f.secondArea = m_preset.second.area;
    if (f.secondArea < 0 || f.secondArea >= words(1).count()) {
        f.secondArea = 0;
    }
    f.firstBit = m_preset.ports[0].noBitNumber() ? 0 : m_preset.first.bit;
    f.secondBit = m_preset.ports[1].noBitNumber() ? 0 : m_preset.second.bit;
    f.firstText = NumberToAddress(m_preset.first.address, words(0).format(f.firstArea));
    f.secondText = NumberToAddress(m_preset.second.address, words(1).format(f.secondArea));
    f.count = m_preset.count;
    f.further = m_preset.further;
    f.option = m_preset.option;
}

const AreaTable& ChangeRecordForm::words(int side) const {
    return m_preset.ports[side == 1 ? 1 : 0].wordAreas;
}

bool ChangeRecordForm::enabled(int control) const {
    switch (control) {
    case kFirstBit:
    case kFirstBitSpin:
        return !m_preset.ports[0].noBitNumber();
    case kSecondBit:
    case kSecondBitSpin:
        return !m_preset.ports[1].noBitNumber();
    default:
        return true;
    }
}

AddressKeypadForm ChangeRecordForm::keypad(int side) const {
    int area = side == 1 ? m_fields.secondArea : m_fields.firstArea;
    const std::string& text = side == 1 ? m_fields.secondText : m_fields.firstText;
    return AddressKeypadForm(text, words(side).range(area), words(side).format(area));
}

void ChangeRecordForm::keypadConfirmed(int side, const std::string& text) {
    (side == 1 ? m_fields.secondText : m_fields.firstText) = padAddress(text, 4);
}

FormOutcome<ChangeRecordForm::Values> ChangeRecordForm::ok() const {
    const Fields& f = m_fields;
    // Bit numbers share their byte with the area index: beyond 15 they would change the area.
    if (!bitRange().contains(f.firstBit)) {
        return FormOutcome<Values>::fail(formmsg::range(0, 15), kFirstBit);
    }
    if (!bitRange().contains(f.secondBit)) {
        return FormOutcome<Values>::fail(formmsg::range(0, 15), kSecondBit);
    }
    if (f.count > m_maximum) {
        return FormOutcome<Values>::fail(Message::string(formmsg::kChangeRecordTooLong, {std::to_string(m_maximum)}),
                                         kCount);
    }
    // A record of no words (or a negative count, which the byte would wrap) exchanges nothing.
    if (f.count < 1) {
        return FormOutcome<Values>::fail(formmsg::range(1, m_maximum), kCount);
    }
    Values v;
    const std::string r1 = words(0).range(f.firstArea);
    const std::string f1 = words(0).format(f.firstArea);
    v.first.address = AddressToNumber(f.firstText, f1);
    if (!ValidateAddress(f.firstText, r1, f1)) {
        return FormOutcome<Values>::fail(formmsg::addressRange(r1), kFirstAddress);
    }
    const std::string r2 = words(1).range(f.secondArea);
    const std::string f2 = words(1).format(f.secondArea);
    v.second.address = AddressToNumber(f.secondText, f2);
    if (!ValidateAddress(f.secondText, r2, f2)) {
        return FormOutcome<Values>::fail(formmsg::addressRange(r2), kSecondAddress);
    }
    v.first.area = f.firstArea;
    v.first.bit = m_preset.ports[0].noBitNumber() ? 0 : static_cast<int>(f.firstBit);
    v.second.area = f.secondArea;
    v.second.bit = m_preset.ports[1].noBitNumber() ? 0 : static_cast<int>(f.secondBit);
    v.count = static_cast<int>(f.count);
    v.option = f.option;
    v.further = f.further;
    return FormOutcome<Values>::accept(v);
}

} // namespace dispcraft
