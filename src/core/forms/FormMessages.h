#pragma once

#include "forms/FormOutcome.h"
#include "base/Message.h"

#include <string>
#include <string_view>

namespace dispcraft {

// Messages the settings dialogs share, and the GB2312 helpers they need beyond formtext.
namespace formmsg {

// A screen name holds at most 10 bytes in the directory.
constexpr size_t kScreenNameBytes = 10;

// Our own texts of the settings dialogs (65500-65549).
// "Screen %d is open in a window. Close the window before deleting the screen."
constexpr int kScreenOpenNoDelete = 65500;

// Language string 61455 followed by the range text and ")!": an address the area refuses.
// The language text ends where the range follows; the program appends range and ")!".
Message addressRange(const std::string& range);
// Language string 61456 followed by the range text and ")!": the last bit of a block lies
// beyond the area.
Message lastBitRange(const std::string& range);
// The refusal of a number field outside its range (the edit's own range check).
Message range(long long low, long long high);

// The GB2312 byte length of a UTF-8 text, or nothing when it holds a character outside GB2312.
std::optional<size_t> gbLength(std::string_view utf8);
// At most maxBytes bytes of a GB2312 text, never ending inside a two-byte character.
std::string cutGb(std::string_view gb, size_t maxBytes);

} // namespace formmsg

} // namespace dispcraft
