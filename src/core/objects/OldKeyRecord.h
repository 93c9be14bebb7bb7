#pragma once

#include "objects/KeyRecord.h"

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// The 12-byte key record of older project files, still written for them: the first 12 bytes of
// a KeyRecord, without its operand.
struct OldKeyRecord {
    uint8_t kind;
    uint8_t byte1;
    uint8_t flags; // KeyRecord's bits
    uint8_t reserved3;
    uint16_t address;
    uint8_t areaAndBit;
    uint8_t screen;
    uint32_t word8;
};
#pragma pack(pop)
static_assert(sizeof(OldKeyRecord) == 12);

} // namespace dispcraft
