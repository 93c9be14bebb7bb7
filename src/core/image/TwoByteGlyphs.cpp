#include "image/TwoByteGlyphs.h"

#include "text/Gb2312.h"

#include <cstdio>

namespace dispcraft {

TwoByteGlyphs::TwoByteGlyphs(std::unique_ptr<GlyphSource> source)
    : m_source(std::move(source)), m_cache(std::make_unique<std::array<Lookup, 65536>>()),
      m_cached(std::make_unique<std::array<bool, 65536>>()) {}

const TwoByteGlyphs::Lookup& TwoByteGlyphs::glyph(uint8_t lead, uint8_t trail) {
    const size_t key = (static_cast<size_t>(lead) << 8) | trail;
    Lookup& entry = (*m_cache)[key];
    if ((*m_cached)[key]) {
        return entry;
    }
    (*m_cached)[key] = true;
    if (m_source) {
        if (char32_t cp = Gb2312::codePoint(lead, trail)) {
            if (auto g = m_source->glyph(cp)) {
                entry.bitmap = *g;
                entry.found = true;
            }
        }
    }
    return entry;
}

std::array<std::string, 2> TwoByteGlyphs::describe(uint8_t lead, uint8_t trail) {
    char code[8];
    std::snprintf(code, sizeof code, "%02X%02X", lead, trail);
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    Gb2312::Result r = Gb2312::toUtf8(std::string_view(pair, 2));
    if (r.ok && Gb2312::codePoint(lead, trail) != 0) {
        return {r.text, code};
    }
    char bytes[16];
    std::snprintf(bytes, sizeof bytes, "\\x%02X\\x%02X", lead, trail);
    return {bytes, code};
}

} // namespace dispcraft
