#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored TrendGraph (kind 5).
struct TrendGraphRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t reserved7;
    uint16_t setting1;
    int16_t setting2;
    int16_t setting3;
    uint8_t width;  // dots
    uint8_t height; // dots
    uint8_t spacing; // sample spacing in dots
    uint8_t pointCount;
    uint8_t setting4;
    uint8_t trailing;
    uint8_t reserved20[4];
};
#pragma pack(pop)
static_assert(sizeof(TrendGraphRecord) == 24);

} // namespace dispcraft
