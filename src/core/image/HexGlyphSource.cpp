#include "image/HexGlyphSource.h"

#include "base/FileIo.h"

namespace dispcraft {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::optional<GlyphBitmap> HexGlyphSource::parseDigits(std::string_view digits) {
    while (!digits.empty() && (digits.back() == '\r' || digits.back() == ' ' || digits.back() == '\t')) {
        digits.remove_suffix(1);
    }
    const size_t n = digits.size();
    if (n != 32 && n != 64) {
        return std::nullopt;
    }
    const size_t perRow = n / 16; // 2 digits (8 dots) or 4 digits (16 dots)
    GlyphBitmap g;
    for (size_t row = 0; row < 16; ++row) {
        unsigned value = 0;
        for (size_t k = 0; k < perRow; ++k) {
            int v = hexValue(digits[row * perRow + k]);
            if (v < 0) {
                return std::nullopt;
            }
            value = (value << 4) | static_cast<unsigned>(v);
        }
        g.rows[row] = static_cast<uint16_t>(perRow == 2 ? value << 8 : value);
    }
    return g;
}

std::unique_ptr<HexGlyphSource> HexGlyphSource::fromText(std::string_view text, std::string path) {
    auto source = std::unique_ptr<HexGlyphSource>(new HexGlyphSource);
    source->m_path = std::move(path);
    source->m_glyphs.reserve(text.size() / 40);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        size_t colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos || colon > 8) {
            continue;
        }
        char32_t code = 0;
        bool ok = true;
        for (size_t i = 0; i < colon; ++i) {
            int v = hexValue(line[i]);
            if (v < 0) {
                ok = false;
                break;
            }
            code = (code << 4) | static_cast<char32_t>(v);
        }
        if (!ok || code > 0x10FFFF) {
            continue;
        }
        if (auto g = parseDigits(line.substr(colon + 1))) {
            source->m_glyphs.emplace(code, *g); // the first line for a character wins
        }
    }
    return source;
}

std::unique_ptr<HexGlyphSource> HexGlyphSource::open(const std::string& path, std::string* error) {
    auto text = FileIo::readText(path);
    if (!text) {
        if (error) {
            *error = "cannot be read";
        }
        return nullptr;
    }
    auto source = fromText(*text, path);
    if (source->size() == 0) {
        if (error) {
            *error = "holds no glyphs";
        }
        return nullptr;
    }
    return source;
}

std::optional<GlyphBitmap> HexGlyphSource::glyph(char32_t codePoint) {
    auto it = m_glyphs.find(codePoint);
    if (it == m_glyphs.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace dispcraft
