#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// TextString in the clipboard block. Little-endian; every reserved byte is 0.
struct TextStringExchange {
    uint32_t kindWord; // 129 when copied selected
    int32_t x;
    int32_t y;
    uint8_t attr;
    char text[101]; // NUL-terminated, at most 100 bytes
    uint8_t reserved114[2];
};
#pragma pack(pop)
static_assert(sizeof(TextStringExchange) == 116);

} // namespace dispcraft
