#include "text/StoreText.h"

#include "text/Gb2312.h"

#include <cstdio>

namespace dispcraft {

namespace {

// Code point of the first UTF-8 character of s, 0 when it is malformed.
char32_t firstCodePoint(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    size_t n = b(0) < 0x80 ? 1 : (b(0) & 0xE0) == 0xC0 ? 2 : (b(0) & 0xF0) == 0xE0 ? 3 : (b(0) & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || n > s.size()) {
        return 0;
    }
    char32_t cp = n == 1 ? b(0) : n == 2 ? (b(0) & 0x1F) : n == 3 ? (b(0) & 0x0F) : (b(0) & 0x07);
    for (size_t i = 1; i < n; ++i) {
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    return cp;
}

} // namespace

std::optional<Message> StoreText::fromUser(std::string_view utf8, std::string& out) {
    Gb2312::Result r = Gb2312::fromUtf8(utf8);
    if (r.ok) {
        out = std::move(r.text);
        return std::nullopt;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(firstCodePoint(r.offending)));
    return Message::string(kOutsideGb2312, {r.offending, hex});
}

std::string StoreText::toUser(std::string_view gb) { return Gb2312::toUtf8Lossy(gb); }

} // namespace dispcraft
