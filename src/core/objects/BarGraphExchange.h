#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// BarGraph in the clipboard block: the working fields, each byte padded to four.
struct BarGraphExchange {
    uint32_t kindWord;
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t reserved13[3];
    int32_t address;
    int32_t maximum;
    int32_t minimum;
    int32_t length;
    int32_t thickness;
    uint8_t areaAndBit;
    uint8_t reserved37[3];
};
#pragma pack(pop)
static_assert(sizeof(BarGraphExchange) == 40);

} // namespace dispcraft
