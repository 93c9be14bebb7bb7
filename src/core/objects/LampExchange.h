#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Lamp in the clipboard block, with its dots. Little-endian; every reserved byte is 0.
struct LampExchange {
    uint32_t kindWord; // 134 when copied selected
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t areaAndBit;
    uint8_t reserved14[2];
    int32_t address;
    char name[100]; // NUL-terminated unless it has exactly 100 bytes
    int32_t secondValue;
    int32_t dotCount;
    uint8_t dots[4096]; // dot-count bytes used
};
#pragma pack(pop)
static_assert(sizeof(LampExchange) == 4224);

} // namespace dispcraft
