#pragma once

#include <array>
#include <cstdint>

namespace dispcraft {

// A 16 x 16 dot glyph, one 16-bit word per row, row 0 at the top, bit 15 = leftmost column.
// Single-byte glyphs (8 x 16) occupy the left half (columns 0..7).
struct GlyphBitmap {
    std::array<uint16_t, 16> rows{};

    bool dot(int x, int y) const {
        if (x < 0 || x > 15 || y < 0 || y > 15) {
            return false;
        }
        return (rows[y] >> (15 - x)) & 1u;
    }
    void set(int x, int y, bool on = true) {
        if (x < 0 || x > 15 || y < 0 || y > 15) {
            return;
        }
        const uint16_t bit = static_cast<uint16_t>(1u << (15 - x));
        rows[y] = on ? static_cast<uint16_t>(rows[y] | bit) : static_cast<uint16_t>(rows[y] & ~bit);
    }
    bool blank() const {
        for (uint16_t r : rows) {
            if (r != 0) {
                return false;
            }
        }
        return true;
    }
    bool operator==(const GlyphBitmap&) const = default;
};

} // namespace dispcraft
