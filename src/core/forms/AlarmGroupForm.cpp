#include "forms/AlarmGroupForm.h"
#include "model/PanelCpu.h"
#include "objects/AttrBits.h"

#include "forms/AddressRules.h"
#include "forms/FormMessages.h"
#include "forms/FormText.h"

#include <algorithm>
#include <utility>

namespace dispcraft {

AlarmGroupForm::AlarmGroupForm(Preset preset) : m_preset(std::move(preset)) {
    // The block holds 64 messages: no caller may ask for more.
    m_maximum = std::clamp(m_preset.maximum, 0, kMessages);
}

const PlcPortAreas& AlarmGroupForm::port() const {
    return m_preset.ports[m_fields.port == 1 ? 1 : 0];
}

const AreaTable& AlarmGroupForm::areas() const { return port().bitAreas; }

std::vector<std::string> AlarmGroupForm::portEntries() const {
    if (PanelCpu(m_preset.cpuId).onePort()) {
        return {"COM1"};
    }
    return {"COM1", "COM2"};
}

std::vector<ListColumn> AlarmGroupForm::columns() {
    return {{Message::string(formmsg::kAlarmMessageColumn), 160}, {Message::string(formmsg::kBitColumn), 70}};
}

bool AlarmGroupForm::enabled(int control) const {
    switch (control) {
    case kOption2:
        return m_preset.option2Enabled;
    case kBitNumber:
    case kBitSpin:
        return !port().noBitNumber();
    default:
        return true;
    }
}

void AlarmGroupForm::open(MessageSink& sink) {
    Fields& f = m_fields;
    f.option1 = m_preset.option1;
    f.option2 = m_preset.option2;
    f.count = m_preset.count;
    f.port = m_preset.port;
    if (f.port < 0 || f.port >= static_cast<int>(portEntries().size())) {
        f.port = 0;
    }
    f.area = areabit::area(m_preset.areaBit);
    if (f.area >= areas().count()) {
        f.area = 0;
    }
    f.bitNumber = areabit::bit(m_preset.areaBit);
    for (size_t i = 0; i < m_preset.texts.size() && i < f.texts.size(); ++i) {
        f.texts[i] = formtext::fromStore(m_preset.texts[i]);
    }
    f.startText = NumberToAddress(m_preset.startAddress, areas().format(f.area), &sink);
    rebuild(sink);
}

FormOutcome<long long> AlarmGroupForm::rangeCheck() {
    Fields& f = m_fields;
    const std::string range = areas().range(f.area);
    const std::string format = areas().format(f.area);
    if (!ValidateAddress(f.startText, range, format)) {
        f.startText.assign(1, '0');
        return FormOutcome<long long>::fail(formmsg::addressRange(range), kStartAddress);
    }
    long long start = AddressToNumber(f.startText, format);
    long long last = AddressToNumber(range, format);
    if (last < start + f.count - 1) {
        f.count = 0;
        return FormOutcome<long long>::fail(formmsg::lastBitRange(range), kCount);
    }
    return FormOutcome<long long>::accept(start);
}

int AlarmGroupForm::rebuild(MessageSink& sink) {
    Fields& f = m_fields;
    if (f.count > m_maximum) {
        sink.show(Message::string(formmsg::kTooManyAlarms, {std::to_string(m_maximum)}), Icon::Warning);
        f.count = m_maximum;
    } else if (f.count < 0) {
        sink.show(formmsg::range(0, m_maximum), Icon::Warning);
        f.count = 0;
    }
    m_rows.clear();
    auto checked = rangeCheck();
    if (!checked.ok()) {
        sink.show(checked.message, Icon::Warning);
        return checked.focus;
    }
    const std::string format = areas().format(f.area);
    // Shown again in full; the text itself is kept, since a six-position format does not
    // survive the way through the number.
    f.startText = padAddress(f.startText, format.size());
    const long long start = *checked.values;
    for (int i = 0; i < f.count; ++i) {
        std::string& text = f.texts[static_cast<size_t>(i)];
        if (text.empty()) {
            text = m_preset.emptyText;
        }
        m_rows.push_back(Row{text, NumberToAddress(start + i, format) + "=ON"});
    }
    return 0;
}

int AlarmGroupForm::portChanged(MessageSink& sink) {
    Fields& f = m_fields;
    if (f.port < 0 || f.port >= static_cast<int>(portEntries().size())) {
        f.port = 0;
    }
    if (f.area < 0 || f.area >= areas().count()) {
        f.area = 0;
    }
    auto checked = rangeCheck();
    if (!checked.ok()) {
        sink.show(checked.message, Icon::Warning);
    }
    int focus = rebuild(sink);
    return focus ? focus : checked.focus;
}

AddressKeypadForm AlarmGroupForm::keypad() const {
    return AddressKeypadForm(m_fields.startText, areas().range(m_fields.area),
                             areas().format(m_fields.area));
}

int AlarmGroupForm::keypadConfirmed(const std::string& text, MessageSink& sink) {
    m_fields.startText = padAddress(text, 4);
    return rebuild(sink);
}

bool AlarmGroupForm::textEdited(int row, const std::string& utf8, MessageSink& sink) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return false;
    }
    auto gb = formtext::toStore(utf8, kList);
    if (!gb.ok()) {
        sink.show(gb.message, Icon::Warning);
        return false;
    }
    if (gb.values->size() > kTextBytes) {
        sink.show(Message::string(formmsg::kMessageTooLong), Icon::Warning);
        return false;
    }
    m_fields.texts[static_cast<size_t>(row)] = utf8;
    m_rows[static_cast<size_t>(row)].text = utf8;
    return true;
}

FormOutcome<AlarmGroupForm::Values> AlarmGroupForm::ok() {
    Fields& f = m_fields;
    if (!bitRange().contains(f.bitNumber)) {
        return FormOutcome<Values>::fail(Message::string(formmsg::kBitNumberRange), kBitNumber);
    }
    // OK by the keyboard skips the focus loss that limits the count: limit it here too, as
    // more messages than the block holds would be lost or overrun it.
    if (f.count > m_maximum) {
        f.count = m_maximum;
        return FormOutcome<Values>::fail(Message::string(formmsg::kTooManyAlarms, {std::to_string(m_maximum)}),
                                         kCount);
    }
    if (f.count < 0) {
        f.count = 0;
        return FormOutcome<Values>::fail(formmsg::range(0, m_maximum), kCount);
    }
    auto checked = rangeCheck();
    if (!checked.ok()) {
        return FormOutcome<Values>::failLike(checked);
    }
    Values v;
    v.port = f.port;
    v.areaBit = areabit::pack(f.area, static_cast<int>(f.bitNumber));
    v.startAddress = static_cast<uint32_t>(*checked.values);
    v.count = static_cast<uint8_t>(f.count);
    v.option1 = f.option1;
    v.option2 = f.option2;
    for (int i = 0; i < f.count; ++i) {
        auto gb = formtext::toStore(f.texts[static_cast<size_t>(i)], kList);
        if (!gb.ok()) {
            return FormOutcome<Values>::failLike(gb);
        }
        v.texts.push_back(*gb.values);
    }
    return FormOutcome<Values>::accept(std::move(v));
}

} // namespace dispcraft
