#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace dispcraft {

// The panel's 192 x 64-dot monochrome LCD as the simulator keeps it: one byte per dot, 1 = lit
// (dark on the glass). Every drawing call clips to the LCD, so positions that wrapped past the
// edge in the image's one-byte coordinates simply fall off.
class LcdDots {
public:
    static constexpr int kWidth = 192;
    static constexpr int kHeight = 64;

    void clear() { m_dots.fill(0); }
    bool lit(int x, int y) const { return inside(x, y) && m_dots[index(x, y)] != 0; }
    void set(int x, int y, bool on) {
        if (inside(x, y)) {
            m_dots[index(x, y)] = on ? 1 : 0;
        }
    }
    // Fills w x h dots from (x, y).
    void fill(int x, int y, int w, int h, bool on);
    // Inverts w x h dots from (x, y).
    void invert(int x, int y, int w, int h);
    // A straight line between two dots, both ends included.
    void line(int x0, int y0, int x1, int y1, bool on = true);
    // A bitmap in the panel's column format: bands of 8 rows from the top, each band `width`
    // bytes, one per column, bit 0 the top dot of the band; set bits light dots (others are left
    // as they are). Columns below firstColumn or from firstColumn + columns on are skipped, so
    // one half of a two-state lamp picture can be drawn. Bytes the data does not hold are blank.
    void columnBitmap(int x, int y, std::span<const uint8_t> data, int width, int bands,
                      int firstColumn, int columns);

    std::span<const uint8_t> dots() const { return m_dots; }
    bool operator==(const LcdDots&) const = default;

private:
    static bool inside(int x, int y) { return x >= 0 && y >= 0 && x < kWidth && y < kHeight; }
    static size_t index(int x, int y) { return static_cast<size_t>(y) * kWidth + static_cast<size_t>(x); }

    std::array<uint8_t, kWidth * kHeight> m_dots{};
};

} // namespace dispcraft
