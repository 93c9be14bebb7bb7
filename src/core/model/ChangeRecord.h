#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// One data exchange between the devices on COM1 and COM2.
struct ChangeRecord {
    uint8_t byte0;
    uint8_t length; // at most the effective maximum record length
    uint8_t byte2;
    uint8_t byte3;
    uint16_t word4;
    uint16_t word6;
};
#pragma pack(pop)
static_assert(sizeof(ChangeRecord) == 8);

} // namespace dispcraft
