#pragma once

#include "base/Message.h"
#include "objects/GraphAttr.h"

#include <string>
#include <vector>

namespace dispcraft {

// What the project report says of one object beside its kind, place and PLC address: the text
// it shows (GB2312) and what its settings mean, part by part.
struct ReportCells {
    std::string text;
    std::vector<Message> format;
};

// Language strings of the report's format column that several kinds share.
namespace reporttext {
constexpr int kFirstFontName = 65552;   // the four font names of the text dialog
constexpr int kSixteenBits = 65558;     // "16 bits"
constexpr int kThirtyTwoBits = 65559;   // "32 bits"
constexpr int kFirstClockField = 65560; // seconds .. year, the clock display's fields
constexpr int kReverse = 66071;         // "reverse video"
constexpr int kFirstCoding = 66072;     // "BCD", "unsigned", "signed"
constexpr int kDigits = 66075;          // "%s digits, %s decimals"
constexpr int kEntry = 66076;           // "entered at the panel, %s to %s"
constexpr int kRange = 66077;           // "range %s to %s"
constexpr int kClock = 66078;           // "clock display"
constexpr int kDots = 66079;            // "%s x %s dots"
constexpr int kScaled = 66080;          // "scaled by %s"
constexpr int kFirstDirection = 66081;  // "upward", "leftward", "downward", "rightward"
constexpr int kSamples = 66085;         // "a sample every %s s, %s dots apart"
constexpr int kLampSize = 66086;        // "%s-dot lamp"
constexpr int kOnStateOnTop = 66087;
constexpr int kPicture = 66088;    // "picture %s"
constexpr int kAlarmRange = 66089; // "alarm range %s to %s"

enum Coding { kBcd = 0, kUnsigned = 1, kSigned = 2 };

inline Message coding(Coding c) {
    return Message::string(kFirstCoding + c);
}
inline Message fontName(int font) {
    return Message::string(kFirstFontName + (font & 3));
}
inline Message width(bool wide) {
    return Message::string(wide ? kThirtyTwoBits : kSixteenBits);
}
inline Message dots(int width, int height) {
    return Message::string(kDots, {std::to_string(width), std::to_string(height)});
}
inline Message range(long long low, long long high) {
    return Message::string(kRange, {std::to_string(low), std::to_string(high)});
}
// A graph's range and coding as its dialog reads them.
inline std::vector<Message> graphRange(uint8_t attr, int16_t minimum, int16_t maximum) {
    const int g = graphattr::coding(attr);
    const Coding c = g == graphattr::kBcd ? kBcd : g == graphattr::kSigned ? kSigned : kUnsigned;
    return {range(graphattr::bound(attr, minimum), graphattr::bound(attr, maximum)), coding(c)};
}
} // namespace reporttext

} // namespace dispcraft
