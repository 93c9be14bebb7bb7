#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored TrendGraph (kind 5): a PLC register's value plotted over time. Its attribute byte holds
// only the port (bit 2) and the coding (bits 6-7).
struct TrendGraphRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t reserved7;
    uint16_t address; // of the register, low 16 bits
    int16_t maximum;
    int16_t minimum;
    uint8_t width;      // dots: (pointCount + 1) x spacing + 3
    uint8_t height;     // dots
    uint8_t spacing;    // dots between samples
    uint8_t pointCount; // sample intervals shown
    uint8_t settingA;   // a panel setting 0..255 the editor only carries
    uint8_t areaAndBit; // high nibble device type, low nibble bit number
    uint8_t reserved20[4];
};
#pragma pack(pop)
static_assert(sizeof(TrendGraphRecord) == 24);

} // namespace dispcraft
