#include "forms/BarGraphForm.h"

#include "forms/GraphCoding.h"
#include "objects/AttrBits.h"
#include "objects/BarGraphRecord.h"

namespace dispcraft {

namespace {
constexpr PlcAddressGroup::Controls kGroupControls{.port = BarGraphForm::kPortList,
                                                   .type = BarGraphForm::kTypeList,
                                                   .bit = BarGraphForm::kBitNumber,
                                                   .text = BarGraphForm::kAddress,
                                                   .keypad = BarGraphForm::kKeypad};
} // namespace

BarGraphForm::BarGraphForm(const Preset& p)
    : m_group(objectaddress::open(kGroupControls, p.portCount, p.ports, false, p.attr, p.areaAndBit,
                                     p.addressNumber)) {
    m_fields.direction = p.attr & BarGraphRecord::kDirection;
    m_fields.open(p.attr, p.maximum, p.minimum);
    m_length = p.length < 0 ? 48 : p.length;
    m_thickness = p.thickness < 0 ? 24 : p.thickness;
}

objectform::Range BarGraphForm::valueRange() const { return m_fields.range(); }

void BarGraphForm::setCoding(int coding) { m_fields.setCoding(coding); }

FormOutcome<BarGraphForm::Values> BarGraphForm::ok() const {
    using Outcome = FormOutcome<Values>;
    FormOutcome<int> bit = m_group.checkBitNumber();
    if (!bit.ok()) {
        return Outcome::failLike(bit);
    }
    const Fields& f = m_fields;
    FormOutcome<int> range = f.check(kMaximum, kMinimum);
    if (!range.ok()) {
        return Outcome::failLike(range);
    }
    Values v;
    v.length = m_length;
    v.thickness = m_thickness;
    v.attr = static_cast<uint8_t>((objectaddress::com2(m_group) ? attrbits::kCom2 : 0) |
                                  graphcoding::attrBits(f.coding) | (f.direction & BarGraphRecord::kDirection));
    v.areaAndBit = m_group.areaBit();
    v.maximum = f.maximum;
    v.minimum = f.minimum;
    FormOutcome<int> address = m_group.check();
    if (!address.ok()) {
        return Outcome::failLike(address);
    }
    v.addressNumber = *address.values;
    return Outcome::accept(v);
}

} // namespace dispcraft
