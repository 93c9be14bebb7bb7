#include "forms/PlcAddressGroup.h"
#include "objects/AttrBits.h"

#include "forms/AddressRules.h"
#include "forms/FormMessages.h"

#include <utility>

namespace dispcraft {

PlcAddressGroup::PlcAddressGroup(Context context, Controls controls)
    : m_context(std::move(context)), m_controls(controls) {}

std::vector<std::string> PlcAddressGroup::portEntries() const {
    if (m_context.portCount == 1) {
        return {"COM1"};
    }
    return {"COM1", "COM2"};
}

const AreaTable& PlcAddressGroup::types() const {
    int port = m_fields.port == 1 ? 1 : 0;
    return m_context.ports[static_cast<size_t>(port)].table(m_context.relayTypes);
}

std::vector<std::string> PlcAddressGroup::typeEntries() const { return types().names(); }

bool PlcAddressGroup::bitEnabled() const {
    int port = m_fields.port == 1 ? 1 : 0;
    return !m_context.ports[static_cast<size_t>(port)].noBitNumber();
}

std::string PlcAddressGroup::range() const { return types().range(m_fields.type); }

std::string PlcAddressGroup::format() const { return types().format(m_fields.type); }

void PlcAddressGroup::open(int port, uint8_t areaBit, long long address, MessageSink* sink) {
    m_fields.port = port;
    if (m_fields.port < 0 || m_fields.port >= static_cast<int>(portEntries().size())) {
        m_fields.port = 0;
    }
    portChanged();
    m_fields.type = areabit::area(areaBit);
    if (m_fields.type >= types().count()) {
        m_fields.type = 0;
    }
    if (bitEnabled()) {
        m_fields.bitNumber = areabit::bit(areaBit);
    }
    m_fields.addressText = NumberToAddress(address, format(), sink);
}

void PlcAddressGroup::portChanged() {
    if (m_fields.port < 0 || m_fields.port >= static_cast<int>(portEntries().size())) {
        m_fields.port = 0;
    }
    if (m_fields.type < 0 || m_fields.type >= types().count()) {
        m_fields.type = 0;
    }
    if (!bitEnabled()) {
        m_fields.bitNumber = 0;
    }
}

AddressKeypadForm PlcAddressGroup::keypad() const {
    return AddressKeypadForm(m_fields.addressText, range(), format());
}

void PlcAddressGroup::keypadConfirmed(const std::string& text) {
    m_fields.addressText = padAddress(text, 4);
}

FormOutcome<int> PlcAddressGroup::checkBitNumber() const {
    if (!bitRange().contains(m_fields.bitNumber)) {
        return FormOutcome<int>::fail(formmsg::range(0, 15), m_controls.bit);
    }
    return FormOutcome<int>::accept(m_fields.bitNumber);
}

FormOutcome<int> PlcAddressGroup::check() const {
    const std::string r = range();
    if (!ValidateAddress(m_fields.addressText, r, format())) {
        return FormOutcome<int>::fail(formmsg::addressRange(r), m_controls.text);
    }
    return FormOutcome<int>::accept(AddressToNumber(m_fields.addressText, format()));
}

uint8_t PlcAddressGroup::areaBit() const {
    return areabit::pack(m_fields.type, m_fields.bitNumber);
}

} // namespace dispcraft
