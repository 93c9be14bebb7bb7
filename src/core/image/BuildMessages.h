#pragma once

namespace dispcraft {

// Language string numbers of the build's messages.
namespace buildmsg {
// Numbered by the original program.
constexpr int kOldFormat = 61582;
constexpr int kBaudRate = 61562;           // %d: the stored rate
constexpr int kDriverMissing = 61563;
constexpr int kDriverDamaged = 61564;
constexpr int kTooManyChanges = 61565;
constexpr int kChangeTooLong = 61566;
constexpr int kLampNumber = 61567;
constexpr int kLampFile = 61568;
constexpr int kTooLongOnePort = 61569;
constexpr int kTooLong = 61570;
constexpr int kNoStartScreen = 61571;      // %d: the start screen number
constexpr int kAsciiGlyphsMissing = 61576;

// Our own, for faults the original let through.
constexpr int kImageNotAddressable = 65300; // %d: image length from the header
constexpr int kUnsafeLampName = 65301;      // %s: the lamp picture name
constexpr int kNoGlyphFont = 65302;
constexpr int kGlyphFontUnreadable = 65303; // %s: path, %s: reason
constexpr int kGlyphMissing = 65304;        // %s: the character, %s: its GB2312 code
constexpr int kImageWriteFailed = 65305;    // %s: path, %s: reason
constexpr int kAsciiGlyphsDamaged = 65306;  // %s: path
constexpr int kLampFileShort = 65307;       // %s: path, %d: dot size, %d: bytes needed
constexpr int kGlyphFontSkipped = 65308;    // %s: path, %s: reason

// References that lead nowhere, built safely (see ProjectReferences).
constexpr int kTextBuiltEmpty = 66110;  // %d screen, %s kind, %d object number
constexpr int kTextNBuiltEmpty = 66111; // %d screen, %s kind, %d object number, %d text number
constexpr int kPictureLeftOut = 66112;  // %d screen, %s kind, %d object number, %d picture
constexpr int kAlarmBuiltEmpty = 66113; // %d group, %d message number
} // namespace buildmsg

} // namespace dispcraft
