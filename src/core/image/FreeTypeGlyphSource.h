#pragma once

#include "image/GlyphSource.h"

namespace dispcraft {

// Glyphs of a TrueType, OpenType or bitmap font (collections: the first face), drawn
// monochrome at 16 pixels. A 16-pixel bitmap strike is used when the font has one, as the
// panel's glyphs were made from such strikes; otherwise the outlines are rendered at 16 pixels.
// Each glyph is placed as text drawn at the top-left corner: the pen at column 0, the baseline
// at the font's ascender; whatever falls outside the 16 x 16 dots is cut off.
class FreeTypeGlyphSource : public GlyphSource {
public:
    ~FreeTypeGlyphSource() override;
    static std::unique_ptr<FreeTypeGlyphSource> open(const std::string& path, std::string* error = nullptr);

    std::optional<GlyphBitmap> glyph(char32_t codePoint) override;
    const std::string& path() const override { return m_path; }
    // True when the glyphs come from an embedded 16-pixel bitmap strike.
    bool usesBitmapStrike() const { return m_strike; }

    // False when the program was built without FreeType.
    static bool available();

private:
    FreeTypeGlyphSource() = default;
    std::string m_path;
    void* m_library = nullptr; // FT_Library
    void* m_face = nullptr;    // FT_Face
    int m_ascender = 14;
    bool m_strike = false;
};

} // namespace dispcraft
