#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored MsgDisp (kind 2): sixteen texts in the screen text pool, of which the panel shows the
// one a PLC register selects.
struct MsgDispRecord {
    static constexpr int kTexts = 16;
    // Attribute bits besides the port (bit 2) and reverse video (bit 7).
    static constexpr uint8_t kOtherDeviceType = 0x10; // the register is not of the first type

    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t reserved7;
    uint32_t textOffsets[kTexts];
    uint8_t textLengths[kTexts];
    uint8_t areaAndBit; // high nibble device type, low nibble bit number
    uint8_t reserved89;
    uint16_t address; // low 16 bits of the register's address number
    uint8_t reserved92[4];
};
#pragma pack(pop)
static_assert(sizeof(MsgDispRecord) == 96);

} // namespace dispcraft
