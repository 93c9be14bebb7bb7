#include "forms/PanelSettingsForm.h"

#include "forms/FormMessages.h"
#include "model/ProjectBlock.h"

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
    f.use1 = o & paneloption::kUseAddress1;
    f.use2 = o & paneloption::kUseAddress2;
    f.optionA = o & paneloption::kOptionA;
    f.optionB = o & paneloption::kOptionB;
    f.optionC = o & paneloption::kOptionC;
    f.optionD = o & paneloption::kOptionD;
    if (!twoPort()) {
        f.optionA = false;
        f.optionB = false;
    }
    f.setting1 = m_preset.setting1;
    f.setting4 = m_preset.setting4;
    f.startScreen = m_preset.startScreen;
    f.setting3 = m_preset.setting3;
    f.setting2 = m_preset.setting2;
    f.tableCount = m_preset.tableCount;
    f.table = m_preset.table;
    m_group1.open((o & paneloption::kAddress1OnCom2) ? 1 : 0, m_preset.areaBit1, m_preset.address1, &sink);
    m_group2.open((o & paneloption::kAddress2OnCom2) ? 1 : 0, m_preset.areaBit2, m_preset.address2, &sink);
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
    case kOptionB:
        return f.use1 && twoPort();
    case kOptionA:
    case kOptionD:
        return twoPort();
    case kTableButton:
        return f.use2 && tableOffered();
    default:
        return true;
    }
}

SpinRange PanelSettingsForm::rangeOf(int setting) {
    switch (setting) {
    case kSetting1:
        return {0, 255};
    case kStartScreen:
        return {1, 199};
    case kSetting2:
        return {0, 10};
    case kSetting3:
        return {0, 9999};
    case kSetting4:
        return {0, 1999};
    default:
        return {0, 0};
    }
}

void PanelSettingsForm::use1Changed() {
    if (!m_fields.use1) {
        m_fields.optionB = false;
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
    return {s(formmsg::kHelpFamilies), t(stars),  t("Radodar120\n"),     t(dashes), s(formmsg::kHelpAddress1), s(formmsg::kHelpAddress2),
            s(formmsg::kHelpTable), s(formmsg::kHelpTablePlcId),  s(formmsg::kHelpPorts),              t("\n"),   s(formmsg::kHelpStartScreen), s(formmsg::kHelpNumeric),
            s(formmsg::kHelpOptions), t("\n"),   t(dashes),             t("Zovariz110&PX4\n"), t(dashes),
            s(formmsg::kHelpAddress1), s(formmsg::kHelpAddress2),  t("\n"),               s(formmsg::kHelpStartScreen),  s(formmsg::kHelpNumeric), t("\n"),
            t(stars), s(formmsg::kHelpUnused)};
}

FormOutcome<PanelSettingsForm::Values> PanelSettingsForm::ok() const {
    const Fields& f = m_fields;
    Values v;
    int o = 0;
    o |= f.use1 ? paneloption::kUseAddress1 : 0;
    o |= f.use2 ? paneloption::kUseAddress2 : 0;
    o |= m_group1.fields().port == 1 ? paneloption::kAddress1OnCom2 : 0;
    o |= m_group2.fields().port == 1 ? paneloption::kAddress2OnCom2 : 0;
    o |= f.optionA ? paneloption::kOptionA : 0;
    o |= f.optionB ? paneloption::kOptionB : 0;
    o |= f.optionC ? paneloption::kOptionC : 0;
    o |= f.optionD ? paneloption::kOptionD : 0;
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
    const Check checks[] = {{kStartScreen, f.startScreen, formmsg::kStartScreenRange},
                            {kSetting1, f.setting1, formmsg::kSetting1Range},
                            {kSetting4, f.setting4, formmsg::kSetting4Range},
                            {kSetting2, f.setting2, formmsg::kSetting2Range},
                            {kSetting3, f.setting3, formmsg::kSetting3Range}};
    for (const Check& c : checks) {
        if (!rangeOf(c.control).contains(c.value)) {
            return FormOutcome<Values>::fail(Message::string(c.message), c.control);
        }
    }
    v.setting1 = static_cast<uint8_t>(f.setting1);
    v.setting4 = static_cast<uint16_t>(f.setting4);
    v.startScreen = static_cast<uint8_t>(f.startScreen);
    v.setting3 = static_cast<uint16_t>(f.setting3);
    v.setting2 = static_cast<uint8_t>(f.setting2);
    v.tableCount = f.tableCount;
    v.table = f.table;
    return FormOutcome<Values>::accept(v);
}

} // namespace dispcraft
