#include "forms/PanelSettingsForm.h"

#include "forms/FormMessages.h"

#include <string>
#include <utility>

namespace dispcraft {

namespace {

PlcAddressGroup::Context groupContext(const PanelSettingsForm::Preset& p) {
    PlcAddressGroup::Context c;
    c.portCount = p.modelMode == 2 ? 2 : 1;
    c.ports = p.ports;
    return c;
}

} // namespace

PanelSettingsForm::PanelSettingsForm(Preset preset)
    : m_preset(std::move(preset)),
      m_group1(groupContext(m_preset), {kPort1, kType1, kBit1, kAddress1, kKeypad1}),
      m_group2(groupContext(m_preset), {kPort2, kType2, kBit2, kAddress2, kKeypad2}) {}

void PanelSettingsForm::open(MessageSink& sink) {
    const uint8_t o = m_preset.options;
    Fields& f = m_fields;
    f.use1 = o & 0x01;
    f.use2 = o & 0x02;
    f.option1143 = o & 0x10;
    f.option1130 = o & 0x20;
    f.option1160 = o & 0x40;
    f.option1161 = o & 0x80;
    if (!twoPort()) {
        f.option1143 = false;
        f.option1130 = false;
    }
    f.setting1107 = m_preset.setting1107;
    f.setting1006 = m_preset.setting1006;
    f.setting1105 = m_preset.setting1105;
    f.setting1019 = m_preset.setting1019;
    f.setting1009 = m_preset.setting1009;
    f.tableCount = m_preset.tableCount;
    f.table = m_preset.table;
    m_group1.open((o & 0x04) ? 1 : 0, m_preset.areaBit1, m_preset.address1, &sink);
    m_group2.open((o & 0x08) ? 1 : 0, m_preset.areaBit2, m_preset.address2, &sink);
}

bool PanelSettingsForm::tableOffered() const {
    int port = m_group2.fields().port == 1 ? 1 : 0;
    return m_preset.plcIds[static_cast<size_t>(port)] == kTablePlcId;
}

bool PanelSettingsForm::visible(int control) const {
    if (control == kTableButton) {
        return tableOffered();
    }
    return true;
}

bool PanelSettingsForm::enabled(int control) const {
    const Fields& f = m_fields;
    switch (control) {
    case kPort1:
    case kType1:
    case kAddress1:
    case kKeypad1:
        return f.use1;
    case kBit1:
        return f.use1 && m_group1.bitEnabled();
    case kPort2:
    case kType2:
    case kAddress2:
    case kKeypad2:
        return f.use2;
    case kBit2:
        return f.use2 && m_group2.bitEnabled();
    case kOption1130:
        return f.use1 && twoPort();
    case kOption1143:
    case kOption1161:
        return twoPort();
    case kTableButton:
        return f.use2 && tableOffered();
    default:
        return true;
    }
}

SpinRange PanelSettingsForm::rangeOf(int setting) {
    switch (setting) {
    case kSetting1107:
        return {0, 255};
    case kSetting1105:
        return {1, 199};
    case kSetting1009:
        return {0, 10};
    case kSetting1019:
        return {0, 9999};
    case kSetting1006:
        return {0, 1999};
    default:
        return {0, 0};
    }
}

void PanelSettingsForm::use1Changed() {
    if (!m_fields.use1) {
        m_fields.option1130 = false;
    }
}

void PanelSettingsForm::editTable(MessageSink& sink, const FormRunner<BitScreenTableForm>& run) {
    BitScreenTableForm form(m_fields.tableCount, m_fields.table);
    form.refresh(sink);
    auto v = run(form);
    if (!v) {
        return;
    }
    m_fields.tableCount = v->count;
    m_fields.table = v->screens;
    for (size_t i = v->count; i < m_fields.table.size(); ++i) {
        m_fields.table[i] = 0;
    }
}

std::vector<Message> PanelSettingsForm::helpPieces() {
    const std::string stars = std::string(46, '*') + "\n";
    const std::string dashes = std::string(46, '-') + "\n";
    auto s = [](int id) { return Message::string(id); };
    auto t = [](std::string text) { return Message::text(std::move(text)); };
    return {s(63532), t(stars),  t("Radodar120\n"),     t(dashes), s(63533), s(63534),
            s(63535), s(63536),  s(63537),              t("\n"),   s(63538), s(63539),
            s(63540), t("\n"),   t(dashes),             t("Zovariz110&PX4\n"), t(dashes),
            s(63533), s(63534),  t("\n"),               s(63538),  s(63539), t("\n"),
            t(stars), s(63541)};
}

FormOutcome<PanelSettingsForm::Values> PanelSettingsForm::ok() const {
    const Fields& f = m_fields;
    Values v;
    int o = 0;
    o |= f.use1 ? 0x01 : 0;
    o |= f.use2 ? 0x02 : 0;
    o |= m_group1.fields().port == 1 ? 0x04 : 0;
    o |= m_group2.fields().port == 1 ? 0x08 : 0;
    o |= f.option1143 ? 0x10 : 0;
    o |= f.option1130 ? 0x20 : 0;
    o |= f.option1160 ? 0x40 : 0;
    o |= f.option1161 ? 0x80 : 0;
    v.options = static_cast<uint8_t>(o);
    v.areaBit1 = m_group1.areaBit();
    v.areaBit2 = m_group2.areaBit();
    // An address not in use is stored as 0 without a check: its device type may be one the
    // protocol lacks, which must not keep the dialog from closing.
    const std::array<std::pair<const PlcAddressGroup*, bool>, 2> groups{
        {{&m_group1, f.use1}, {&m_group2, f.use2}}};
    for (size_t i = 0; i < groups.size(); ++i) {
        auto [g, used] = groups[i];
        int32_t number = 0;
        if (used) {
            auto bit = g->checkBitNumber();
            if (!bit.ok()) {
                return FormOutcome<Values>::failLike(bit);
            }
            auto checked = g->check();
            if (!checked.ok()) {
                return FormOutcome<Values>::failLike(checked);
            }
            number = *checked.values;
        }
        (i == 0 ? v.address1 : v.address2) = number;
    }
    struct Check {
        int control;
        long long value;
        int message;
    };
    const Check checks[] = {{kSetting1105, f.setting1105, 63527},
                            {kSetting1107, f.setting1107, 63528},
                            {kSetting1006, f.setting1006, 63529},
                            {kSetting1009, f.setting1009, 63530},
                            {kSetting1019, f.setting1019, 63531}};
    for (const Check& c : checks) {
        if (!rangeOf(c.control).contains(c.value)) {
            return FormOutcome<Values>::fail(Message::string(c.message), c.control);
        }
    }
    v.setting1107 = static_cast<uint8_t>(f.setting1107);
    v.setting1006 = static_cast<uint16_t>(f.setting1006);
    v.setting1105 = static_cast<uint8_t>(f.setting1105);
    v.setting1019 = static_cast<uint16_t>(f.setting1019);
    v.setting1009 = static_cast<uint8_t>(f.setting1009);
    v.tableCount = f.tableCount;
    v.table = f.table;
    return FormOutcome<Values>::accept(v);
}

} // namespace dispcraft
