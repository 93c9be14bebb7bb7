#pragma once

#include "base/GlyphBitmap.h"

#include <string_view>
#include <vector>

namespace dispcraft {

// One character cell of a text as the panel shows it.
struct TextCell {
    GlyphBitmap bitmap;
    int width = 8; // dots: 8 for a single-byte character, 16 for a two-byte one
};

// Where the drawing of texts finds the panel's glyphs.
class TextCells {
public:
    virtual ~TextCells() = default;
    // The cells of a GB2312 text in the panel's reading.
    virtual std::vector<TextCell> cells(std::string_view text) = 0;
};

} // namespace dispcraft
