#pragma once

#include "forms/ObjectFormMessages.h"
#include "objects/AttrBits.h"
#include "objects/GraphAttr.h"

#include <cstdint>

namespace dispcraft {

// The value coding of the bar and trend graphs: 0 unsigned, 1 BCD, 2 signed, kept in bits 6-7 of
// the attribute byte (bit 6 BCD, bit 7 signed; both read as signed).
namespace graphcoding {
constexpr int kUnsigned = graphattr::kUnsigned;
constexpr int kBcd = graphattr::kBcd;
constexpr int kSigned = graphattr::kSigned;

inline int fromAttr(uint8_t attr) {
    return graphattr::coding(attr);
}
inline uint8_t attrBits(int coding) {
    return coding == kBcd ? attrbits::kBcd : coding == kSigned ? attrbits::kSigned : 0x00;
}
inline objectform::Range range(int coding) {
    if (coding == kBcd) {
        return {0, 9999};
    }
    if (coding == kSigned) {
        return {-32768, 32767};
    }
    return {0, 65535};
}
// The refusal of a value outside the coding's range.
inline int rangeMessage(int coding) {
    return coding == kBcd ? objectform::kGraphRangeBcd : coding == kSigned ? objectform::kGraphRangeSigned
                                                                          : objectform::kGraphRange16;
}
// Stored graph values are 16-bit and read back sign-extended: an unsigned value above 32767
// comes back negative.
inline long long opened(int coding, long long v) {
    return coding == kUnsigned && v < 0 ? v + 65536 : v;
}
} // namespace graphcoding

} // namespace dispcraft
