#include "text/Gb2312.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <mutex>

namespace dispcraft {

namespace {

// iconv descriptors are not thread-safe; one pair per direction, guarded.
struct Converter {
    iconv_t cd;
    std::mutex mutex;
    Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Converter() {
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd);
        }
    }
};

Converter& toGb() {
    static Converter c("GB2312", "UTF-8");
    return c;
}
Converter& fromGb() {
    static Converter c("UTF-8", "GB2312");
    return c;
}

// Length of the UTF-8 sequence that starts with byte b (1 for invalid lead bytes).
size_t utf8Length(unsigned char b) {
    if (b < 0x80) {
        return 1;
    }
    if ((b & 0xE0) == 0xC0) {
        return 2;
    }
    if ((b & 0xF0) == 0xE0) {
        return 3;
    }
    if ((b & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

// Converts in; on a character that cannot be converted stops and reports its offset.
bool convert(Converter& c, std::string_view in, std::string& out, size_t& badOffset) {
    std::lock_guard<std::mutex> lock(c.mutex);
    out.clear();
    if (c.cd == reinterpret_cast<iconv_t>(-1)) {
        badOffset = 0;
        return false;
    }
    iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(c.cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                continue;
            }
            badOffset = static_cast<size_t>(src - in.data());
            return false;
        }
    }
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(c.cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, static_cast<size_t>(dst - buf));
    return true;
}

} // namespace

Gb2312::Result Gb2312::fromUtf8(std::string_view utf8) {
    Result r;
    size_t bad = 0;
    if (convert(toGb(), utf8, r.text, bad)) {
        r.ok = true;
        return r;
    }
    r.text.clear();
    r.offset = bad;
    size_t n = bad < utf8.size() ? utf8Length(static_cast<unsigned char>(utf8[bad])) : 0;
    r.offending = std::string(utf8.substr(bad, n));
    return r;
}

Gb2312::Result Gb2312::toUtf8(std::string_view gb) {
    Result r;
    size_t bad = 0;
    if (convert(fromGb(), gb, r.text, bad)) {
        r.ok = true;
        return r;
    }
    r.text.clear();
    r.offset = bad;
    size_t n = bad < gb.size() ? ((static_cast<unsigned char>(gb[bad]) >= 0x80) ? 2 : 1) : 0;
    std::string shown;
    for (size_t i = bad; i < bad + n && i < gb.size(); ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(gb[i]));
        shown += hex;
    }
    r.offending = shown;
    return r;
}

std::string Gb2312::toUtf8Lossy(std::string_view gb) {
    std::string out;
    size_t i = 0;
    while (i < gb.size()) {
        unsigned char b = static_cast<unsigned char>(gb[i]);
        size_t n = (b >= 0x80 && i + 1 < gb.size()) ? 2 : 1;
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            std::string piece;
            size_t bad = 0;
            if (n == 2 && convert(fromGb(), gb.substr(i, 2), piece, bad)) {
                out += piece;
            } else {
                out += "\xEF\xBF\xBD";
            }
        }
        i += n;
    }
    return out;
}

std::optional<size_t> Gb2312::byteLength(std::string_view utf8) {
    Result r = fromUtf8(utf8);
    if (!r.ok) {
        return std::nullopt;
    }
    return r.text.size();
}

char32_t Gb2312::codePoint(unsigned char lead, unsigned char trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    std::string out;
    size_t bad = 0;
    if (!convert(fromGb(), std::string_view(in, 2), out, bad) || out.empty()) {
        return 0;
    }
    // Decode the single UTF-8 character.
    const unsigned char* p = reinterpret_cast<const unsigned char*>(out.data());
    size_t n = utf8Length(p[0]);
    if (n != out.size()) {
        return 0;
    }
    char32_t cp = n == 1 ? p[0] : n == 2 ? (p[0] & 0x1F) : n == 3 ? (p[0] & 0x0F) : (p[0] & 0x07);
    for (size_t i = 1; i < n; ++i) {
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    return cp;
}

} // namespace dispcraft
