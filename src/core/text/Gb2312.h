#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dispcraft {

// Conversions between UTF-8 (what the user interface shows) and GB2312 (what the store, the
// project file and the panel hold). A byte of 128 or more starts a two-byte character.
class Gb2312 {
public:
    struct Result {
        bool ok = false;
        std::string text;      // the converted text when ok
        std::string offending; // when not ok: the first character that cannot be converted (UTF-8)
        size_t offset = 0;     // its byte offset in the input
    };
    // A character outside GB2312 is refused, never dropped: the result names it.
    static Result fromUtf8(std::string_view utf8);
    // Bytes that are not valid GB2312 are refused likewise (offending holds them as "\xNN").
    static Result toUtf8(std::string_view gb);
    // For display where refusal is no option: invalid sequences become U+FFFD.
    static std::string toUtf8Lossy(std::string_view gb);
    // Byte length of a UTF-8 text once converted, or nothing when it has a character outside.
    static std::optional<size_t> byteLength(std::string_view utf8);
    // Unicode code point of one GB2312 two-byte character (lead, trail), or 0 when it has none.
    static char32_t codePoint(unsigned char lead, unsigned char trail);
};

} // namespace dispcraft
