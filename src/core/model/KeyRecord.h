#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// What one panel key does, per screen or project-wide.
struct KeyRecord {
    uint8_t kind; // 9 when set by the global copy rule, 0 = not defined
    uint8_t byte1;
    // bit 7 port, bit 6 bit action, bit 5 option of a screen action (project-wide: every
    // screen uses its own record), bit 3 decimal format, bit 2 signed, bits 0-1 mode
    uint8_t flags;
    uint8_t reserved3;
    uint16_t device; // low 16 bits of the device address
    uint8_t areaBit; // high nibble area index, low nibble bit number
    uint8_t screen;  // target of a show-screen action
    uint32_t value8;
    uint32_t value; // value or device number when any of flag bits 0x43 is set
};
#pragma pack(pop)
static_assert(sizeof(KeyRecord) == 16);

} // namespace dispcraft
