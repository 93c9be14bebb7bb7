#pragma once

#include "objects/LcdDots.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace dispcraft {

// The panel's own characters for the values it shows (numeric displays and clock fields). The
// image carries glyphs only for the project's texts, so these come with the panel: the simulator
// takes them from the program directory's single-byte glyph file, or from a small built-in set
// when that is missing. Each is 8 x 16 dots, one byte per row, bit 7 the leftmost dot.
class NumberFont {
public:
    using Rows = std::array<uint8_t, 16>;
    // Every character a shown value can hold.
    static constexpr std::string_view kCharacters = " 0123456789-.*:";

    // The built-in set: 5 x 7 figures, each row doubled.
    static NumberFont builtIn();

    void setRows(char c, const Rows& rows);
    const Rows& rows(char c) const;

    // A value's text at (x, y) in a font (bit 0 doubles the dots across, bit 1 down), each
    // character on a lit background in reverse video.
    void draw(LcdDots& lcd, int x, int y, std::string_view text, int font, bool reverse) const;

private:
    std::array<Rows, 128> m_rows{};
};

} // namespace dispcraft
