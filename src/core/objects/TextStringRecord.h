#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored TextString (kind 1). The text itself lives in the screen text pool.
struct TextStringRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x; // LCD dots on the whole panel picture
    uint16_t y;
    uint8_t attr; // bits 0-1 font index, bit 7 reverse video
    uint8_t reserved7;
    uint32_t textOffset; // into the screen text pool
    uint8_t textLength;
    uint8_t reserved13[7];
};
#pragma pack(pop)
static_assert(sizeof(TextStringRecord) == 20);

} // namespace dispcraft
