#pragma once

#include "image/GlyphSource.h"

#include <string_view>
#include <unordered_map>

namespace dispcraft {

// Glyphs of a Unifont ".hex" file: one line per character, "CODE:DIGITS" with 32 hex digits
// for an 8 x 16 glyph (put in the left half) or 64 for a 16 x 16 one. Lines of any other shape
// are skipped, so a damaged file loses only its damaged lines.
class HexGlyphSource : public GlyphSource {
public:
    static std::unique_ptr<HexGlyphSource> open(const std::string& path, std::string* error = nullptr);
    static std::unique_ptr<HexGlyphSource> fromText(std::string_view text, std::string path = {});

    std::optional<GlyphBitmap> glyph(char32_t codePoint) override;
    const std::string& path() const override { return m_path; }
    size_t size() const { return m_glyphs.size(); }

    // Parses one glyph's digits; nothing unless there are exactly 32 or 64 hex digits.
    static std::optional<GlyphBitmap> parseDigits(std::string_view digits);

private:
    std::string m_path;
    std::unordered_map<char32_t, GlyphBitmap> m_glyphs;
};

} // namespace dispcraft
