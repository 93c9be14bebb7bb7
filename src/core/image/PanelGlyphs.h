#pragma once

#include "image/Asc16Glyphs.h"
#include "image/TwoByteGlyphs.h"
#include "objects/TextCells.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dispcraft {

class ProgramDirectory;

// The glyphs a text shows on the panel: single-byte characters from "asc16", two-byte ones from
// the chosen glyph source. The screen editor draws texts with this, the build takes the same
// bitmaps, so the LCD on screen and the panel agree dot for dot.
class PanelGlyphs : public TextCells {
public:
    PanelGlyphs(std::optional<Asc16Glyphs> ascii, std::unique_ptr<GlyphSource> twoByte);

    // "asc16" of the program directory and the two-byte source in the usual order (see
    // chooseGlyphFont). What could not be opened is reported in notes (missing "asc16": 61576;
    // fonts skipped or not found: the build's own messages); the glyphs concerned are blank.
    static PanelGlyphs open(const ProgramDirectory& dir, const std::string& fontPath = {},
                            std::vector<Message>* notes = nullptr);

    bool hasAscii() const { return m_ascii.has_value(); }
    bool hasTwoByteSource() const { return m_twoByte.source() != nullptr; }
    const std::optional<Asc16Glyphs>& ascii() const { return m_ascii; }
    TwoByteGlyphs& twoByte() { return m_twoByte; }

    // Character c of "asc16", 8 x 16 in the left half (blank without the file).
    GlyphBitmap single(uint8_t c) const;
    const TwoByteGlyphs::Lookup& pair(uint8_t lead, uint8_t trail) { return m_twoByte.glyph(lead, trail); }

    using Cell = TextCell;
    // The cells of a GB2312 text in the panel's reading: a byte of 126 or less is one 8-dot cell;
    // a byte of 127 or more and the byte after it are one 16-dot cell (a pair led by 127 has no
    // glyph on the panel and stays blank); a lead byte that ends the text shows nothing.
    std::vector<Cell> cells(std::string_view text) override;

private:
    std::optional<Asc16Glyphs> m_ascii;
    TwoByteGlyphs m_twoByte;
};

} // namespace dispcraft
