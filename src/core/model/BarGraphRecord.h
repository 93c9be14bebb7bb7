#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored BarGraph (kind 4).
struct BarGraphRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr; // bit 0 horizontal, bit 1 fill direction
    uint8_t reserved7;
    uint16_t setting1;
    int16_t setting2;
    int16_t setting3;
    uint8_t thickness; // dots
    uint8_t length;    // dots
    uint8_t reserved16[4];
    uint8_t style;
    uint8_t reserved21[3];
};
#pragma pack(pop)
static_assert(sizeof(BarGraphRecord) == 24);

} // namespace dispcraft
