#include "forms/TrendGraphForm.h"

#include "forms/GraphCoding.h"
#include "forms/ObjectFormMessages.h"
#include "objects/AttrBits.h"

namespace dispcraft {

namespace {
constexpr PlcAddressGroup::Controls kGroupControls{.port = TrendGraphForm::kPortList,
                                                   .type = TrendGraphForm::kTypeList,
                                                   .bit = TrendGraphForm::kBitNumber,
                                                   .text = TrendGraphForm::kAddress,
                                                   .keypad = TrendGraphForm::kKeypad};
} // namespace

TrendGraphForm::TrendGraphForm(const Preset& p)
    : m_group(objectaddress::open(kGroupControls, p.portCount, p.ports, false, p.attr, p.areaAndBit,
                                     p.addressNumber)),
      m_new(p.height == -1) {
    m_fields.open(p.attr, p.maximum, p.minimum);
    m_fields.spacing = p.spacing;
    m_fields.settingA = p.settingA;
    m_fields.count = p.count;
    m_height = p.height;
    if (m_new) {
        m_fields.setCoding(m_fields.coding);
        m_fields.count = 2;
        m_fields.spacing = 10;
        m_height = 56;
    }
}

objectform::Range TrendGraphForm::valueRange() const { return m_fields.range(); }

void TrendGraphForm::setCoding(int coding) { m_fields.setCoding(coding); }

FormOutcome<TrendGraphForm::Values> TrendGraphForm::ok() const {
    using Outcome = FormOutcome<Values>;
    const Fields& f = m_fields;
    FormOutcome<int> bit = m_group.checkBitNumber();
    if (!bit.ok()) {
        return Outcome::failLike(bit);
    }
    // The spins' own ranges; a spacing of 0 would leave nothing to divide a resized width by.
    struct Check {
        long long value;
        objectform::Range range;
        int focus;
    };
    for (const Check& c : {Check{f.spacing, kSpacingRange, kSpacing},
                           Check{f.settingA, kSettingARange, kSettingA},
                           Check{f.count, kCountRange, kCount}}) {
        if (!c.range.contains(c.value)) {
            return Outcome::fail(objectform::rangeMessage(c.range.low, c.range.high), c.focus);
        }
    }
    FormOutcome<int> range = f.check(kMaximum, kMinimum);
    if (!range.ok()) {
        return Outcome::failLike(range);
    }
    Values v;
    v.attr = static_cast<uint8_t>((objectaddress::com2(m_group) ? attrbits::kCom2 : 0) | graphcoding::attrBits(f.coding));
    v.areaAndBit = m_group.areaBit();
    FormOutcome<int> address = m_group.check();
    if (!address.ok()) {
        return Outcome::failLike(address);
    }
    v.addressNumber = *address.values;
    v.height = m_height;
    v.spacing = static_cast<int>(f.spacing);
    v.settingA = static_cast<int>(f.settingA);
    v.maximum = f.maximum;
    v.minimum = f.minimum;
    long long count = f.count;
    while (widthOf(f.spacing, count) > kLcdWidth && count > 0) {
        --count;
    }
    v.count = static_cast<int>(count);
    v.width = static_cast<int>(widthOf(f.spacing, count));
    Message notice;
    if (count != f.count) {
        notice = Message::string(objectform::kTrendPointsCut, {std::to_string(count)});
    }
    return Outcome::accept(v, notice);
}

} // namespace dispcraft
