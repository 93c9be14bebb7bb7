#pragma once

#include <cstdint>

// How a bar or trend graph reads its word and its bounds from its attribute byte, for the
// dialogs, the report and the panel's image alike: bits 6-7 hold the coding (bit 6 alone BCD,
// bit 7 with or without bit 6 signed, neither unsigned).
namespace dispcraft::graphattr {

constexpr int kUnsigned = 0;
constexpr int kBcd = 1;
constexpr int kSigned = 2;

inline int coding(uint8_t attr) {
    const int bits = attr >> 6;
    return bits == 0 ? kUnsigned : bits == 1 ? kBcd : kSigned;
}

// A stored 16-bit bound as a number of the coding: under unsigned coding its bits are unsigned.
inline int64_t bound(uint8_t attr, int16_t stored) {
    return coding(attr) == kUnsigned ? static_cast<uint16_t>(stored) : stored;
}

} // namespace dispcraft::graphattr
