#pragma once

#include "forms/FormOutcome.h"
#include "forms/PlcAddressGroup.h"

#include <array>
#include <cstdint>
#include <string>

namespace dispcraft {

// The PLC address group as the object property dialogs use it: opened from an object's
// attribute byte (bit 2 = COM2), its area-and-bit byte and its address number.
namespace objectaddress {

PlcAddressGroup open(const PlcAddressGroup::Controls& controls, int portCount,
                     const std::array<PlcPortAreas, 2>& ports, bool relayTypes, uint8_t attr,
                     uint8_t areaBit, long long number);
// Port changed (the port list's selection).
void selectPort(PlcAddressGroup& group, int port);
inline bool com2(const PlcAddressGroup& group) { return group.fields().port == 1; }
// Another address text checked against the group's chosen device type: its number, or
// 61455 + range + ")!" with the focus on the given control.
FormOutcome<long long> checkText(const PlcAddressGroup& group, const std::string& text, int focus);

} // namespace objectaddress

} // namespace dispcraft
