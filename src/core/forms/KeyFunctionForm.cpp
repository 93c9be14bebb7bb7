#include "forms/KeyFunctionForm.h"
#include "forms/ObjectFormMessages.h"
#include "model/PanelCpu.h"
#include "objects/AttrBits.h"

#include "config/PrivateProfile.h"
#include "forms/AddressRules.h"
#include "forms/FormMessages.h"
#include "model/ProjectStore.h"

#include <algorithm>
#include <utility>

namespace dispcraft {

KeyFunctionForm::KeyFunctionForm(Preset preset) : m_preset(std::move(preset)) {}

KeyFunctionForm::Preset KeyFunctionForm::presetFrom(const KeyRecord& record, const ProjectStore& store) {
    Preset p;
    p.flags = record.flags;
    p.areaBit = record.areaAndBit;
    // Records of older files carry a bit action's device in the 16-bit field only.
    p.address = record.bitAction() && record.operand != 0 ? static_cast<long long>(record.operand)
                                                          : record.address;
    p.value = record.wordAction() ? static_cast<int32_t>(record.operand) : 0;
    p.screen = record.screen;
    p.cpuId = store.cpuId;
    p.fourthOffered = store.alarmView != 0;
    p.extraOffered = store.screenPassword != 0;
    p.hasCom2Link = hasCom2Link(store);
    p.ports = {PlcPortAreas::fromProtocol(store.protocol(1)), PlcPortAreas::fromProtocol(store.protocol(2))};
    return p;
}

KeyRecord KeyFunctionForm::Values::applyTo(KeyRecord record) const {
    record.flags = flags;
    record.areaAndBit = areaBit;
    record.address = static_cast<uint16_t>(address & 0xFFFF);
    record.screen = static_cast<uint8_t>(screen);
    record.operand = static_cast<uint32_t>(record.wordAction() ? value : record.bitAction() ? address : 0);
    return record;
}

bool KeyFunctionForm::hasCom2Link(const ProjectStore& store) {
    // A one-port model carries a "no link" text as its COM2 link name but no COM2 protocol.
    return !store.com2LinkName.empty() && !store.com2ProtocolName.empty();
}

const PlcPortAreas& KeyFunctionForm::port() const {
    return m_preset.ports[m_fields.port == 1 ? 1 : 0];
}

// The areas the address text refers to: the bit areas for a bit action, the word areas for a
// word action; the other actions keep the list they had.
const AreaTable& KeyFunctionForm::addressTable() const {
    if (m_fields.action == kBitAction) {
        return port().bitAreas;
    }
    if (m_fields.action == kWordAction) {
        return port().wordAreas;
    }
    return m_listKind == ListKind::Bits ? port().bitAreas : port().wordAreas;
}

std::vector<std::string> KeyFunctionForm::portEntries() const {
    if (m_preset.hasCom2Link) {
        return {"COM1", "COM2"};
    }
    return {"COM1"};
}

SpinRange KeyFunctionForm::bitRange() const {
    if (port().noBitNumber()) {
        return {0, 0};
    }
    // The bit number shares its byte with the area index: never more than 15.
    int high = PrivateProfile::leadingInt(port().bitNumberSetting);
    return {0, std::clamp(high, 0, 15)};
}

bool KeyFunctionForm::visible(int control) const {
    switch (control) {
    case kExtraOption:
        return m_preset.extraOffered && m_fields.action == kShowScreen;
    case kActionFourth:
        return m_preset.fourthOffered;
    case kScreenNumber:
    case kScreenSpin:
        return screenGroupVisible();
    case kPortList:
    case kAreaList:
    case kAddress:
    case kKeypad:
    case kBitNumber:
    case kBitSpin:
        return addressGroupVisible();
    case kWordSize:
    case kValue:
    case kValueSpin:
        return wordGroupVisible();
    default:
        if (control >= kBitMode0 && control <= kBitMode0 + 3) {
            return bitModeVisible();
        }
        if (control >= kFormat0 && control <= kFormat0 + 2) {
            return wordGroupVisible();
        }
        return true;
    }
}

bool KeyFunctionForm::enabled(int control) const {
    switch (control) {
    case kActionBit:
        return !PanelCpu(m_preset.cpuId).onePort();
    case kBitNumber:
    case kBitSpin:
        return !port().noBitNumber();
    default:
        return true;
    }
}

KeyFunctionForm::ValueLimits KeyFunctionForm::limitsFor(int wordSize, int format) {
    if (wordSize == 1) {
        switch (format) {
        case 0:
            return {0, 99'999'999, 8, objectform::kKeyValueRangeBcd32};
        case 2:
            return {-100'000'000, 100'000'000, 10, objectform::kKeyValueRangeSigned32};
        default:
            return {0, 2'147'483'647, 10, objectform::kKeyValueRange32};
        }
    }
    switch (format) {
    case 0:
        return {0, 9'999, 4, objectform::kKeyValueRangeBcd16};
    case 2:
        return {-32'768, 32'767, 6, objectform::kKeyValueRangeSigned16};
    default:
        return {0, 65'535, 5, objectform::kKeyValueRange16};
    }
}

void KeyFunctionForm::fillAreaList() {
    if (m_fields.action == kBitAction) {
        m_listKind = ListKind::Bits;
    } else if (m_fields.action == kWordAction) {
        m_listKind = ListKind::Words;
    }
    m_areaEntries.clear();
    if (m_listKind != ListKind::None) {
        m_areaEntries = addressTable().names();
    }
    if (m_fields.area < 0 || m_fields.area >= static_cast<int>(m_areaEntries.size())) {
        m_fields.area = 0;
    }
    if (port().noBitNumber()) {
        m_fields.bitNumber = 0;
    }
}

void KeyFunctionForm::open(MessageSink& sink) {
    uint8_t flags = m_preset.flags;
    if (PanelCpu(m_preset.cpuId).onePort()) {
        if (!(flags & KeyRecord::kBitAction) && (flags & KeyRecord::kMode) != KeyRecord::kShowScreen &&
            m_preset.screen == 0) {
            sink.show(Message::string(objectform::kKeyShowsScreen), Icon::Warning);
            flags = static_cast<uint8_t>(flags & ~KeyRecord::kMode);
        }
    }
    Fields& f = m_fields;
    if (flags & KeyRecord::kBitAction) {
        f.action = kBitAction;
        f.bitMode = flags & KeyRecord::kMode;
    } else {
        switch (flags & KeyRecord::kMode) {
        case KeyRecord::kWord16:
            f.action = kWordAction;
            f.wordSize = 0;
            break;
        case KeyRecord::kWord32:
            f.action = kWordAction;
            f.wordSize = 1;
            break;
        case KeyRecord::kFourthAction:
            f.action = m_preset.fourthOffered ? kFourthAction : kShowScreen;
            break;
        default:
            f.action = kShowScreen;
            break;
        }
    }
    f.format = (flags & KeyRecord::kDecimalDigits) ? 0 : (flags & KeyRecord::kSigned) ? 2 : 1;
    f.extraOption = (flags & KeyRecord::kScreenOption) != 0;
    f.port = (flags & KeyRecord::kCom2) ? 1 : 0;
    // A port the list does not offer leaves no choice in a plain list; COM1 is chosen instead.
    if (f.port >= static_cast<int>(portEntries().size())) {
        f.port = 0;
    }
    f.screen = m_preset.screen;
    f.value = m_preset.value;
    f.bitNumber = areabit::bit(m_preset.areaBit);
    f.area = areabit::area(m_preset.areaBit);
    fillAreaList();
    // The address matters only while the address group shows; a hidden one reports nothing.
    f.addressText = NumberToAddress(m_preset.address, addressTable().format(f.area),
                                    addressGroupVisible() ? &sink : nullptr);
}

void KeyFunctionForm::actionChanged() { fillAreaList(); }

void KeyFunctionForm::portChanged() {
    if (m_fields.port < 0 || m_fields.port >= static_cast<int>(portEntries().size())) {
        m_fields.port = 0;
    }
    fillAreaList();
}

AddressKeypadForm KeyFunctionForm::keypad() const {
    const AreaTable& t = addressTable();
    return AddressKeypadForm(m_fields.addressText, t.range(m_fields.area), t.format(m_fields.area));
}

FormOutcome<KeyFunctionForm::Values> KeyFunctionForm::ok() const {
    const Fields& f = m_fields;
    Values v;
    int flags = 0;
    int port = f.port;
    int area = f.area;
    long long bit = f.bitNumber;
    long long screen = f.screen;
    long long value = f.value;
    if (f.action == kBitAction) {
        screen = 0;
        flags |= KeyRecord::kBitAction | (f.bitMode & KeyRecord::kMode);
    } else if (f.action == kWordAction) {
        screen = 0;
        flags |= f.wordSize == 1 ? KeyRecord::kWord32 : KeyRecord::kWord16;
        if (f.format == 0) {
            flags |= KeyRecord::kDecimalDigits;
        } else if (f.format == 2) {
            flags |= KeyRecord::kSigned;
        }
    } else {
        port = 0;
        area = 0;
        bit = 0;
        value = 0;
        v.address = 0;
        if (f.extraOption) {
            flags |= KeyRecord::kScreenOption;
        }
        if (!screenRange().contains(screen)) {
            return FormOutcome<Values>::fail(Message::string(objectform::kScreenOrDigitsRange), kScreenNumber);
        }
        if (f.action == kFourthAction && m_preset.fourthOffered) {
            flags |= KeyRecord::kFourthAction;
        }
    }
    if (port == 1) {
        flags |= KeyRecord::kCom2;
    }
    if (addressGroupVisible()) {
        // The bit number shares its byte with the area index: beyond 15 it would change the
        // area.
        if (bit < 0 || bit > 15) {
            return FormOutcome<Values>::fail(formmsg::range(0, 15), kBitNumber);
        }
        const AreaTable& t = addressTable();
        const std::string range = t.range(area);
        if (!ValidateAddress(f.addressText, range, t.format(area))) {
            return FormOutcome<Values>::fail(formmsg::addressRange(range), kAddress);
        }
        v.address = AddressToNumber(f.addressText, t.format(area));
    }
    if (wordGroupVisible()) {
        ValueLimits lim = valueLimits();
        if (value < lim.low || value > lim.high) {
            return FormOutcome<Values>::fail(Message::string(lim.message), kValue);
        }
    }
    v.flags = static_cast<uint8_t>(flags);
    v.areaBit = areabit::pack(area, static_cast<int>(bit));
    v.screen = static_cast<int32_t>(screen);
    v.value = static_cast<int32_t>(value);
    return FormOutcome<Values>::accept(v);
}

} // namespace dispcraft
