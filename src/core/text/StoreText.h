#pragma once

#include "base/Message.h"

#include <optional>
#include <string>
#include <string_view>

namespace dispcraft {

// The boundary between the user interface (UTF-8) and the store (GB2312).
class StoreText {
public:
    // "%s" = the character, "%s" = its code point in hexadecimal (as in U+20AC).
    static constexpr int kOutsideGb2312 = 65150;

    // Converts typed text for the store. A character outside GB2312 is refused with a message
    // naming it; out is then left as it was.
    static std::optional<Message> fromUser(std::string_view utf8, std::string& out);
    // Store text for display; bytes that are no GB2312 character show as U+FFFD.
    static std::string toUser(std::string_view gb);
};

} // namespace dispcraft
