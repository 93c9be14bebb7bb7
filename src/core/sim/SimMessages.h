#pragma once

namespace dispcraft::simmsg {

// The simulator's own texts (language strings 65800-65899).
constexpr int kImageDamaged = 65800;   // %s what is wrong
constexpr int kNotAnImage = 65801;     // %s the file's length
constexpr int kUnknownPort = 65810;    // %s the port text
constexpr int kNoCom2 = 65811;
constexpr int kUnknownArea = 65812;    // %s port, %s area name
constexpr int kBadAddress = 65813;     // %s address, %s area, %s highest address, %s format
constexpr int kBadBitNumber = 65814;   // %s bit number
constexpr int kAddressForm = 65815;
constexpr int kBadValue = 65816;       // %s value text, %s the range
constexpr int kWatchListUnreadable = 65817; // %s file, %s reason
constexpr int kWatchListNotWritten = 65818; // %s file, %s reason

} // namespace dispcraft::simmsg
