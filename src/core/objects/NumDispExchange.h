#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// NumDisp in the clipboard block. Little-endian; every reserved byte is 0.
struct NumDispExchange {
    uint8_t kind; // 131 when copied selected
    uint8_t reserved1[3];
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t options;
    uint8_t reserved14[2];
    int32_t address;
    int32_t digits;
    int32_t decimals;
    int32_t maximum;
    int32_t minimum;
    char preview[100]; // NUL-terminated unless it has exactly 100 bytes
    uint32_t scaleBits;
    uint8_t areaAndBit;
    uint8_t reserved141[3];
};

// The side pair of NumDisp i, in an area of its own.
struct SidePairExchange {
    int32_t high;
    int32_t low;
};
#pragma pack(pop)
static_assert(sizeof(NumDispExchange) == 144);
static_assert(sizeof(SidePairExchange) == 8);

} // namespace dispcraft
