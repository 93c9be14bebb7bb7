#include "forms/ObjectAddress.h"
#include "objects/AttrBits.h"

#include "forms/AddressRules.h"
#include "forms/FormMessages.h"

namespace dispcraft::objectaddress {

PlcAddressGroup open(const PlcAddressGroup::Controls& controls, int portCount,
                     const std::array<PlcPortAreas, 2>& ports, bool relayTypes, uint8_t attr,
                     uint8_t areaBit, long long number) {
    PlcAddressGroup::Context context;
    context.portCount = portCount == 2 ? 2 : 1;
    context.ports = ports;
    context.relayTypes = relayTypes;
    PlcAddressGroup group(context, controls);
    group.open((attr & attrbits::kCom2) != 0 ? 1 : 0, areaBit, number);
    return group;
}

void selectPort(PlcAddressGroup& group, int port) {
    group.fields().port = port;
    group.portChanged();
}

FormOutcome<long long> checkText(const PlcAddressGroup& group, const std::string& text, int focus) {
    const std::string range = group.range();
    const std::string format = group.format();
    if (!ValidateAddress(text, range, format)) {
        return FormOutcome<long long>::fail(formmsg::addressRange(range), focus);
    }
    return FormOutcome<long long>::accept(AddressToNumber(text, format));
}

} // namespace dispcraft::objectaddress
