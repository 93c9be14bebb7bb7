#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// TrendGraph in the clipboard block: the working fields, each byte padded to four.
struct TrendGraphExchange {
    uint32_t kindWord;
    int32_t x;
    int32_t y;
    uint8_t attr;
    uint8_t reserved13[3];
    int32_t address;
    int32_t maximum;
    int32_t minimum;
    int32_t height;
    int32_t width;
    int32_t settingA;
    int32_t spacing;
    int32_t pointCount;
    uint8_t areaAndBit;
    uint8_t reserved49[3];
};
#pragma pack(pop)
static_assert(sizeof(TrendGraphExchange) == 52);

} // namespace dispcraft
