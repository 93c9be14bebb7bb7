#include "objects/NumberFont.h"

namespace dispcraft {

namespace {

// 5 x 7 figures, rows from the top, bit 4 the leftmost dot.
struct Figure {
    char c;
    std::array<uint8_t, 7> rows;
};
constexpr Figure kFigures[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'*', {0x00, 0x04, 0x15, 0x0E, 0x15, 0x04, 0x00}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
};

} // namespace

NumberFont NumberFont::builtIn() {
    NumberFont f;
    for (const Figure& fig : kFigures) {
        Rows rows{};
        for (size_t r = 0; r < fig.rows.size(); ++r) {
            const auto b = static_cast<uint8_t>(fig.rows[r] << 2); // one blank column on the left
            rows[1 + 2 * r] = b;
            rows[2 + 2 * r] = b;
        }
        f.setRows(fig.c, rows);
    }
    return f;
}

void NumberFont::setRows(char c, const Rows& rows) {
    const auto i = static_cast<unsigned char>(c);
    if (i < m_rows.size()) {
        m_rows[i] = rows;
    }
}

const NumberFont::Rows& NumberFont::rows(char c) const {
    static const Rows kBlank{};
    const auto i = static_cast<unsigned char>(c);
    return i < m_rows.size() ? m_rows[i] : kBlank;
}

void NumberFont::draw(LcdDots& lcd, int x, int y, std::string_view text, int font, bool reverse) const {
    const int sx = (font & 1) ? 2 : 1;
    const int sy = (font & 2) ? 2 : 1;
    lcd.fill(x, y, static_cast<int>(text.size()) * 8 * sx, 16 * sy, reverse);
    for (size_t i = 0; i < text.size(); ++i) {
        const Rows& r = rows(text[i]);
        const int cx = x + static_cast<int>(i) * 8 * sx;
        for (int row = 0; row < 16; ++row) {
            for (int col = 0; col < 8; ++col) {
                if (r[static_cast<size_t>(row)] & (0x80u >> col)) {
                    lcd.fill(cx + col * sx, y + row * sy, sx, sy, !reverse);
                }
            }
        }
    }
}

} // namespace dispcraft
