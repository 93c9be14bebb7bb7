#pragma once

#include "base/MessageSink.h"

#include <string>
#include <string_view>

namespace dispcraft {

// The rules every dialog applies to a typed PLC address. An address is a short text of the
// characters '0'-'9' and 'A'-'F'; a format text gives, per position, the highest character
// allowed there (4 positions for a word address, 6 when two decimal bit-number positions
// follow), and a limit text gives the highest address of the area. Both texts come from the
// protocol file of the port's PLC.

// Value of one address or format character: '0'-'9' give 0-9, 'A'-'F' (and 'a'-'f') give
// 10-15. The format markers 'o' and 'h' stand on a decimal position and count as 9. Anything
// else counts as 0, so a damaged format never yields a radix of 0.
int addressDigitValue(char c);

// True when the text is an address the area accepts: not longer than the limit, every
// position within the format, the 'o' / 'h' multiple-of-8 / multiple-of-16 rule, a bit number
// of at most 15 where the format says so, and not above the limit.
bool ValidateAddress(std::string_view text, std::string_view limit, std::string_view format);

// The device number of an address text: the four address positions read with the radix each
// format position allows, plus the bit number of a 6-character format. -1 when the format has
// another length (then message 61535 goes to the sink, when there is one).
int AddressToNumber(std::string_view text, std::string_view format, MessageSink* sink = nullptr);

// The address text of a device number. A 6-character format also writes n mod 100 as the bit
// number, so this is not the inverse of AddressToNumber there: callers that need the typed
// text back keep it. Empty when the format has another length (message 61536 to the sink).
// Negative numbers are written as 0.
std::string NumberToAddress(long long number, std::string_view format, MessageSink* sink = nullptr);

// The text left-padded with '0' to the given width (unchanged when it is as long already).
std::string padAddress(std::string_view text, size_t width);

} // namespace dispcraft
