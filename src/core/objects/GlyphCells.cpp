#include "objects/GlyphCells.h"

#include <algorithm>

namespace dispcraft {

int GlyphCells::width(std::span<const uint16_t> text) const {
    int w = 0;
    for (uint16_t g : text) {
        w += width(g);
    }
    return w;
}

int GlyphCells::drawText(LcdDots& lcd, int x, int y, std::span<const uint16_t> text, int font,
                         bool reverse, int fieldWidth) const {
    const int sx = (font & 1) ? 2 : 1;
    const int sy = (font & 2) ? 2 : 1;
    const int w = std::max(width(text), fieldWidth);
    lcd.fill(x, y, w * sx, 16 * sy, reverse);
    int cx = x;
    for (uint16_t g : text) {
        drawGlyph(lcd, cx, y, g, sx, sy, !reverse);
        cx += width(g) * sx;
    }
    return w * sx;
}

std::span<const uint16_t> GlyphCells::textAt(std::span<const uint16_t> list, size_t start, size_t limit) {
    if (start >= list.size()) {
        return {};
    }
    size_t end = start;
    while (end < list.size() && end - start < limit && list[end] != 0) {
        ++end;
    }
    return list.subspan(start, end - start);
}

void GlyphCells::drawGlyph(LcdDots& lcd, int x, int y, uint16_t index, int sx, int sy, bool on) const {
    if (index == 0) {
        return;
    }
    if (index < m_firstPairCell) {
        drawCell(lcd, x, y, index, sx, sy, on);
        return;
    }
    // A two-byte glyph: its left half is the cell before the index, its right half the index's.
    drawCell(lcd, x, y, static_cast<size_t>(index) - 1, sx, sy, on);
    drawCell(lcd, x + 8 * sx, y, index, sx, sy, on);
}

void GlyphCells::drawCell(LcdDots& lcd, int x, int y, size_t cell, int sx, int sy, bool on) const {
    const size_t at = cell * 16;
    if (at + 16 > m_bitmaps.size()) {
        return;
    }
    for (int half = 0; half < 2; ++half) {
        for (int col = 0; col < 8; ++col) {
            const uint8_t b = m_bitmaps[at + static_cast<size_t>(half * 8 + col)];
            if (b == 0) {
                continue;
            }
            for (int j = 0; j < 8; ++j) {
                if (b & (1u << j)) {
                    lcd.fill(x + col * sx, y + (half * 8 + j) * sy, sx, sy, on);
                }
            }
        }
    }
}

} // namespace dispcraft
