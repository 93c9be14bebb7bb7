#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored BarGraph (kind 4): a bar showing a PLC register's value between a minimum and a maximum.
struct BarGraphRecord {
    // Attribute bits 0-1 are the direction (upward, leftward, downward, rightward); besides them
    // the port (bit 2) and the coding (bits 6-7).
    static constexpr uint8_t kDirection = 0x03;
    static constexpr uint8_t kHorizontal = 0x01;
    static constexpr uint8_t kFillFromStart = 0x02;

    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t reserved7;
    uint16_t address; // of the register, low 16 bits
    int16_t maximum;
    int16_t minimum;
    uint8_t thickness; // dots
    uint8_t length;    // dots
    uint8_t reserved16[4];
    uint8_t areaAndBit; // high nibble device type, low nibble bit number
    uint8_t reserved21[3];
};
#pragma pack(pop)
static_assert(sizeof(BarGraphRecord) == 24);

} // namespace dispcraft
