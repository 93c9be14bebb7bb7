#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// The 12-byte key record of older project files, still written for them.
struct OldKeyRecord {
    uint8_t kind;
    uint8_t byte1;
    uint8_t flags;
    uint8_t reserved3;
    uint16_t device;
    uint8_t areaBit;
    uint8_t screen;
    uint32_t value8;
};
#pragma pack(pop)
static_assert(sizeof(OldKeyRecord) == 12);

} // namespace dispcraft
