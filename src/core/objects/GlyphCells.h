#pragma once

#include "objects/LcdDots.h"

#include <cstdint>
#include <span>

namespace dispcraft {

// The glyph bitmaps of a download image and how the panel draws a text from its glyph
// indices. Cell 0 is blank; an index below the first two-byte cell is one 8 x 16 cell, an index
// from it on is the second cell of a 16 x 16 two-byte glyph (its first cell is the one before).
// Cells the block does not hold draw blank.
class GlyphCells {
public:
    GlyphCells() = default;
    GlyphCells(std::span<const uint8_t> bitmaps, int firstPairCell)
        : m_bitmaps(bitmaps), m_firstPairCell(firstPairCell) {}

    // Dots across of a glyph: 16 for a two-byte character, else 8.
    int width(uint16_t index) const { return index != 0 && index >= m_firstPairCell ? 16 : 8; }
    // Dots across of a text.
    int width(std::span<const uint16_t> text) const;

    // A text at (x, y) in a font (bit 0 doubles the dots across, bit 1 down): its cells are
    // filled with the background first (lit for reverse video), at least fieldWidth dots of them
    // (before doubling), then the glyphs drawn over it. Returns the dots across drawn.
    int drawText(LcdDots& lcd, int x, int y, std::span<const uint16_t> text, int font, bool reverse,
                 int fieldWidth = 0) const;

    // The glyph indices of the text starting at `start` of a glyph-index list: up to its 0, the
    // end of the list or `limit` entries, whichever comes first.
    static std::span<const uint16_t> textAt(std::span<const uint16_t> list, size_t start,
                                            size_t limit = static_cast<size_t>(-1));

private:
    void drawGlyph(LcdDots& lcd, int x, int y, uint16_t index, int sx, int sy, bool on) const;
    // Draws the 8 columns x 16 rows of one cell, columns from x.
    void drawCell(LcdDots& lcd, int x, int y, size_t cell, int sx, int sy, bool on) const;

    std::span<const uint8_t> m_bitmaps;
    int m_firstPairCell = 1;
};

} // namespace dispcraft
