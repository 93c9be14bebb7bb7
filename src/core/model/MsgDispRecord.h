#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored MsgDisp (kind 2): sixteen texts in the screen text pool.
struct MsgDispRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t reserved7;
    uint32_t textOffsets[16];
    uint8_t textLengths[16];
    uint8_t trailing; // offset 88
    uint8_t reserved89;
    uint16_t value; // low 16 bits of the editor's value
    uint8_t reserved92[4];
};
#pragma pack(pop)
static_assert(sizeof(MsgDispRecord) == 96);

} // namespace dispcraft
