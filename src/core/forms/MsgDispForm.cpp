#include "forms/MsgDispForm.h"
#include "forms/FormMessages.h"
#include "objects/AttrBits.h"
#include "objects/MsgDispRecord.h"

#include "forms/FormText.h"

namespace dispcraft {

namespace {
constexpr PlcAddressGroup::Controls kGroupControls{.port = MsgDispForm::kPortList,
                                                   .type = MsgDispForm::kTypeList,
                                                   .bit = MsgDispForm::kBitNumber,
                                                   .text = MsgDispForm::kAddress,
                                                   .keypad = MsgDispForm::kKeypad};
} // namespace

MsgDispForm::MsgDispForm(const Preset& p)
    : m_group(objectaddress::open(kGroupControls, p.portCount, p.ports, false, p.attr, p.areaAndBit,
                                     p.addressNumber)),
      m_reverse((p.attr & attrbits::kReverse) != 0 ? 1 : 0) {
    for (int i = 0; i < kTexts; ++i) {
        const std::string& t = p.texts[static_cast<size_t>(i)];
        m_texts[static_cast<size_t>(i)] = t.empty() ? p.emptyText : formtext::fromStore(t);
    }
}

std::vector<MsgDispForm::Row> MsgDispForm::rows() const {
    std::vector<Row> rows;
    for (int i = 0; i < kTexts; ++i) {
        rows.push_back({m_texts[static_cast<size_t>(i)], std::to_string(i)});
    }
    return rows;
}

std::optional<Message> MsgDispForm::editText(int row, const std::string& utf8) {
    if (row < 0 || row >= kTexts) {
        return std::nullopt;
    }
    FormOutcome<std::string> gb = formtext::toStore(utf8, kTextList);
    if (!gb.ok()) {
        return gb.message;
    }
    if (gb.values->size() > kEditLimit) {
        return Message::string(formmsg::kMessageTooLong);
    }
    m_texts[static_cast<size_t>(row)] = utf8;
    return std::nullopt;
}

FormOutcome<MsgDispForm::Values> MsgDispForm::ok() const {
    using Outcome = FormOutcome<Values>;
    FormOutcome<int> bit = m_group.checkBitNumber();
    if (!bit.ok()) {
        return Outcome::failLike(bit);
    }
    Values v;
    for (int i = 0; i < kTexts; ++i) {
        FormOutcome<std::string> gb = formtext::toStore(m_texts[static_cast<size_t>(i)], kTextList);
        if (!gb.ok()) {
            return Outcome::failLike(gb);
        }
        v.texts[static_cast<size_t>(i)] = std::move(*gb.values);
    }
    if (v.texts[0].empty()) {
        v.texts[0].assign(1, ' ');
    }
    v.attr = static_cast<uint8_t>((m_reverse == 1 ? attrbits::kReverse : 0) |
                                  (objectaddress::com2(m_group) ? attrbits::kCom2 : 0) |
                                  (m_group.fields().type != 0 ? MsgDispRecord::kOtherDeviceType : 0));
    v.areaAndBit = m_group.areaBit();
    FormOutcome<int> address = m_group.check();
    if (!address.ok()) {
        return Outcome::failLike(address);
    }
    v.addressNumber = *address.values;
    return Outcome::accept(std::move(v));
}

} // namespace dispcraft
