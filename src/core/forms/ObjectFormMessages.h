#pragma once

#include "forms/FormOutcome.h"
#include "base/Message.h"

#include <string>
#include <vector>

namespace dispcraft {

// Language strings of the object property forms that have no number of their own elsewhere.
namespace objectform {
// "Please enter an integer from %d to %d." - the range refusal of a number field.
constexpr int kRangeMessage = 65550;
// The character %s cannot be shown on the panel (outside GB2312).
constexpr int kNotGb2312 = 65551;
// Names of the four fonts in the font lists, in font index order.
constexpr int kFontName0 = 65552;
// The bitmap has no dots (width or height 0).
constexpr int kBmpEmpty = 65556;
// Only uncompressed monochrome BMPs with a standard information header can be imported.
constexpr int kBmpUnsupported = 65557;
// The two entries of the NumDisp width list: 16 bits, 32 bits.
constexpr int kWidth16 = 65558;
constexpr int kWidth32 = 65559;
// Names of the seven clock fields of the short NumDisp, in field order.
constexpr int kClockField0 = 65560;
// A lamp name that is not a plain file name in the lamp directory.
constexpr int kBadLampName = 65567;
// "The scale factor must lie from %s to %s." - a factor the panel's 32-bit number cannot hold.
constexpr int kScaleRange = 65568;

using Range = SpinRange;

inline Message rangeMessage(long long low, long long high) {
    return Message::string(kRangeMessage, {std::to_string(low), std::to_string(high)});
}
inline Message scaleMessage(double limit) {
    const std::string l = std::to_string(static_cast<long long>(limit));
    return Message::string(kScaleRange, {"-" + l, l});
}
inline std::vector<Message> fontNames() {
    std::vector<Message> names;
    for (int i = 0; i < 4; ++i) {
        names.push_back(Message::string(kFontName0 + i));
    }
    return names;
}
} // namespace objectform

} // namespace dispcraft
