#pragma once

#include <cstdint>

namespace dispcraft {

// Bits of the attribute byte that several kinds share; each kind's record names its own.
namespace attrbits {
constexpr uint8_t kFont = 0x03;    // font index 0..3 of a text
constexpr uint8_t kCom2 = 0x04;    // the PLC address is on COM2
constexpr uint8_t kBcd = 0x40;     // graphs: the value is coded in decimal digits
constexpr uint8_t kSigned = 0x80;  // graphs: the value is signed
constexpr uint8_t kReverse = 0x80; // texts: reverse video

inline int fontOf(uint8_t attr) {
    return attr & kFont;
}
} // namespace attrbits

// The area-and-bit byte of a PLC address: high nibble the index of the address area in the
// port's list, low nibble the bit number.
namespace areabit {
inline uint8_t pack(int area, int bit) { return static_cast<uint8_t>(((area & 0x0F) << 4) | (bit & 0x0F)); }
inline int area(uint8_t areaAndBit) { return areaAndBit >> 4; }
inline int bit(uint8_t areaAndBit) { return areaAndBit & 0x0F; }
} // namespace areabit

// Cell size in view pixels of a text's font index (0..3): bit 0 doubles the width, bit 1 the
// height of the 16 x 32-pixel cell.
inline int cellWidth(int font) {
    return (font & 1) ? 32 : 16;
}
inline int cellHeight(int font) {
    return (font & 2) ? 64 : 32;
}

} // namespace dispcraft
