#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// MsgDisp in the clipboard block. Little-endian; every reserved byte is 0.
struct MsgDispExchange {
    uint8_t kind; // 130 when copied selected
    uint8_t reserved1[3];
    int32_t x;
    int32_t y;
    uint8_t attr;
    char texts[16][100]; // each NUL-terminated unless it has exactly 100 bytes
    uint8_t reserved1613[3];
    int32_t address;
    uint8_t areaAndBit;
    uint8_t reserved1621[3];
};
#pragma pack(pop)
static_assert(sizeof(MsgDispExchange) == 1624);

} // namespace dispcraft
