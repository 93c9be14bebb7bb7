#include "forms/NumDispForm.h"

#include "forms/AddressRules.h"
#include "forms/ObjectFormMessages.h"
#include "objects/AttrBits.h"
#include "objects/NumDispKind.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace dispcraft {

namespace {

constexpr PlcAddressGroup::Controls kGroupControls{.port = NumDispForm::kPortList,
                                                   .type = NumDispForm::kTypeList,
                                                   .bit = NumDispForm::kBitNumber,
                                                   .text = NumDispForm::kAddress,
                                                   .keypad = NumDispForm::kKeypad};

// Message numbers of a value outside its range, by width then coding (BCD, unsigned, signed);
// 0 where the range is not tested.
constexpr int kEntryMessages[2][3] = {
    {objectform::kEntryRangeBcd16, objectform::kEntryRange16, objectform::kEntryRangeSigned16},
    {objectform::kEntryRangeBcd32, objectform::kEntryRange32, 0}};
constexpr int kAlarmMessages[2][3] = {
    {objectform::kAlarmRangeBcd16, objectform::kAlarmRange16, objectform::kAlarmRangeSigned16},
    {objectform::kAlarmRangeBcd32, objectform::kAlarmRange32, 0}};

} // namespace

NumDispForm::NumDispForm(const Preset& p)
    : m_group(objectaddress::open(kGroupControls, p.portCount, p.ports, false, p.attr, p.areaAndBit,
                                     p.addressNumber)),
      m_modelMode(p.modelMode == 2 ? 2 : 1), m_plcIds(p.plcIds) {
    Fields& f = m_fields;
    using R = NumDispRecord;
    f.font = attrbits::fontOf(p.attr);
    f.coding = (p.attr & R::kBcd) ? kCodingBcdValue : (p.attr & R::kSigned) ? kCodingSignedValue : kCodingUnsignedValue;
    f.width = (p.attr & R::kWide) ? 1 : 0;
    f.entryMode = (p.attr & R::kEntry) ? 1 : 0;
    f.reverse = (p.attr & attrbits::kReverse) ? 1 : 0;
    f.scaleOption = (p.flags2 & R::kScaled) != 0;
    f.panelOptionB = (p.flags2 & R::kPanelOptionB) ? 0 : 1;
    f.panelOptionC = (p.flags2 & R::kNoPanelOptionC) == 0;
    f.alarmOption = (p.flags2 & R::kAlarmRange) != 0;
    f.panelOptionA = (p.flags2 & R::kPanelOptionA) != 0;
    f.digits = p.digits;
    f.decimals = p.decimals;
    f.scale = p.scale;
    f.maximum = p.maximum;
    f.minimum = p.minimum;
    f.high = p.high;
    f.low = p.low;
    long long number = p.addressNumber;
    if (splitAddress()) {
        m_secondNumber = number / 256;
        number %= 256;
    }
    m_group.fields().addressText = NumberToAddress(number, m_group.format());
    // Kept filled even while hidden: OK adds it back into the address number.
    f.secondAddressText = NumberToAddress(m_secondNumber, m_group.format());
}

std::vector<Message> NumDispForm::widthList() const {
    return {Message::string(objectform::kWidth16), Message::string(objectform::kWidth32)};
}

std::vector<Message> NumDispForm::fontList() const { return objectform::fontNames(); }

bool NumDispForm::splitAddress() const {
    return m_plcIds[static_cast<size_t>(m_group.fields().port)] == kSplitPlcId &&
           m_group.fields().type == kSplitType;
}

bool NumDispForm::secondAddressShown() const { return splitAddress() && m_fields.entryMode == 1; }

bool NumDispForm::shown(int control) const {
    switch (control) {
    case kSecondAddress:
    case kSecondKeypad:
    case kSecondAddressLabel:
        return m_modelMode == 2 && secondAddressShown();
    case kPanelOptionB1:
    case kPanelOptionB2:
    case kAlarmOption:
    case kPanelOptionC:
    case kHigh:
    case kLow:
    case kHighSpin:
    case kLowSpin:
        return m_modelMode == 2;
    default:
        if (control >= kAlarmRangeLabels && control <= kAlarmRangeLabels + 4) {
            return m_modelMode == 2;
        }
        return true;
    }
}

bool NumDispForm::enabled(int control) const {
    const Fields& f = m_fields;
    switch (control) {
    case kPanelOptionA:
    case kPanelOptionB1:
    case kPanelOptionB2:
        return f.entryMode == 1;
    case kMaximum:
    case kMinimum:
    case kMaximumSpin:
    case kMinimumSpin:
        return f.entryMode == 1 || f.alarmOption;
    case kHigh:
    case kLow:
    case kHighSpin:
    case kLowSpin:
        return f.alarmOption;
    case kScaleFactor:
        return f.scaleOption;
    case kBitNumber:
    case kBitSpin:
        return m_group.bitEnabled();
    default:
        return true;
    }
}

objectform::Range NumDispForm::valueRange(int width, int coding) {
    static constexpr objectform::Range kRanges[2][3] = {
        {{0, 9999}, {0, 65535}, {-32768, 32767}},
        {{0, 99999999}, {0, 2147483647}, {-100000000, 100000000}}};
    const int w = width == 1 ? 1 : 0;
    const int c = coding >= 0 && coding <= 2 ? coding : kCodingUnsignedValue;
    return kRanges[w][c];
}

objectform::Range NumDispForm::spinRange(int control) const {
    switch (control) {
    case kBitSpin:
        return m_group.bitRange();
    case kDigitsSpin:
        return {1, 10};
    case kDecimalsSpin:
        return {0, 9};
    case kSpareSpin:
        return {-32768, 32767};
    case kMaximumSpin:
    case kMinimumSpin:
    case kHighSpin:
    case kLowSpin:
        return valueRange(m_fields.width, m_fields.coding);
    default:
        return {};
    }
}

void NumDispForm::resetRanges() {
    const objectform::Range r = valueRange(m_fields.width, m_fields.coding);
    m_fields.maximum = m_fields.high = r.high;
    m_fields.minimum = m_fields.low = r.low;
}

void NumDispForm::setCoding(int coding) {
    m_fields.coding = coding >= 0 && coding <= 2 ? coding : kCodingUnsignedValue;
    resetRanges();
}

void NumDispForm::setWidth(int width) {
    m_fields.width = width == 1 ? 1 : 0;
    resetRanges();
}

void NumDispForm::setEntryMode(int entry) { m_fields.entryMode = entry == 1 ? 1 : 0; }

void NumDispForm::setAlarmOption(bool on) { m_fields.alarmOption = on; }

void NumDispForm::selectPort(int port) {
    objectaddress::selectPort(m_group, port);
    secondAddressRule();
}

void NumDispForm::selectType(int row) {
    m_group.fields().type = row;
    m_group.portChanged();
    secondAddressRule();
}

void NumDispForm::secondAddressRule() {
    // The second address appears with the number it was opened with, in the chosen type's format.
    if (secondAddressShown()) {
        m_fields.secondAddressText = NumberToAddress(m_secondNumber, m_group.format());
    }
}

AddressKeypadForm NumDispForm::secondKeypad() const {
    return AddressKeypadForm(m_fields.secondAddressText, m_group.range(), m_group.format());
}

void NumDispForm::secondKeypadConfirmed(const std::string& text) {
    m_fields.secondAddressText = padAddress(text, 4);
}

FormOutcome<NumDispForm::Values> NumDispForm::ok() const {
    using Outcome = FormOutcome<Values>;
    const Fields& f = m_fields;
    FormOutcome<int> bit = m_group.checkBitNumber();
    if (!bit.ok()) {
        return Outcome::failLike(bit);
    }
    // The value edits hold 32-bit integers.
    struct Typed {
        long long value;
        int focus;
    };
    for (const Typed& t : {Typed{f.maximum, kMaximum}, Typed{f.minimum, kMinimum},
                           Typed{f.high, kHigh}, Typed{f.low, kLow}}) {
        if (t.value < INT_MIN || t.value > INT_MAX) {
            return Outcome::fail(objectform::rangeMessage(INT_MIN, INT_MAX), t.focus);
        }
    }
    // The panel gets the factor as a whole 32-bit number; one beyond that (or not a number)
    // would reach it clamped, so it is refused here where it was typed. While the factor is
    // disabled it cannot be corrected, so a stored one passes through as it is.
    if (f.scaleOption && !(std::fabs(f.scale) <= kScaleLimit)) {
        return Outcome::fail(objectform::scaleMessage(kScaleLimit), kScaleFactor);
    }
    const bool entry = f.entryMode == 1;
    if (entry && f.minimum >= f.maximum) {
        return Outcome::fail(Message::string(objectform::kMinimumNotBelowMaximum), kMinimum, Icon::Warning);
    }
    if (f.digits < 1 || f.digits > 10) {
        return Outcome::fail(Message::string(objectform::kDigitsRange), kDigits);
    }
    if (f.decimals < 0 || f.decimals > 9) {
        return Outcome::fail(Message::string(objectform::kDecimalsRange), kDecimals);
    }
    const int w = f.width == 1 ? 1 : 0;
    const int c = f.coding >= 0 && f.coding <= 2 ? f.coding : kCodingUnsignedValue;
    const objectform::Range range = valueRange(w, c);
    // 32-bit unsigned values are tested against their lower bound only, 32-bit signed not at all.
    const auto outside = [&](long long v) {
        if (w == 1 && c == kCodingSignedValue) {
            return false;
        }
        if (w == 1 && c == kCodingUnsignedValue) {
            return v < range.low;
        }
        return !range.contains(v);
    };
    if (entry && (outside(f.maximum) || outside(f.minimum))) {
        return Outcome::fail(Message::string(kEntryMessages[w][c]),
                             outside(f.maximum) ? kMaximum : kMinimum);
    }
    if (f.decimals > f.digits - 1) {
        return Outcome::fail(Message::string(NumDispKind::kTooManyDecimalsString), kDecimals);
    }
    Values v;
    v.digits = static_cast<int>(f.digits);
    v.decimals = static_cast<int>(f.decimals);
    v.preview = NumDispKind::previewText(c == kCodingSignedValue, v.digits, v.decimals);
    using R = NumDispRecord;
    v.attr = static_cast<uint8_t>((f.font & attrbits::kFont) | (objectaddress::com2(m_group) ? attrbits::kCom2 : 0) |
                                  (c == kCodingBcdValue ? R::kBcd : 0) | (c == kCodingSignedValue ? R::kSigned : 0) |
                                  (w == 1 ? R::kWide : 0) | (entry ? R::kEntry : 0) |
                                  (f.reverse == 1 ? attrbits::kReverse : 0));
    v.flags2 = static_cast<uint8_t>((f.scaleOption ? R::kScaled : 0) | (f.panelOptionB == 0 ? R::kPanelOptionB : 0) |
                                    (f.panelOptionC ? 0 : R::kNoPanelOptionC) | (f.alarmOption ? R::kAlarmRange : 0) |
                                    (f.panelOptionA ? R::kPanelOptionA : 0));
    if (f.alarmOption && (outside(f.high) || outside(f.low))) {
        return Outcome::fail(Message::string(kAlarmMessages[w][c]), outside(f.high) ? kHigh : kLow);
    }
    v.areaAndBit = m_group.areaBit();
    FormOutcome<int> address = m_group.check();
    if (!address.ok()) {
        return Outcome::failLike(address);
    }
    v.addressNumber = *address.values;
    if (splitAddress()) {
        FormOutcome<long long> second =
            objectaddress::checkText(m_group, f.secondAddressText, kSecondAddress);
        if (!second.ok()) {
            return Outcome::failLike(second);
        }
        v.addressNumber += *second.values * 256;
    }
    v.scale = static_cast<float>(f.scale);
    v.maximum = f.maximum;
    v.minimum = f.minimum;
    v.high = f.high;
    v.low = f.low;
    return Outcome::accept(std::move(v));
}

} // namespace dispcraft
