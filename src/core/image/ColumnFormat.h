#pragma once

#include "base/GlyphBitmap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dispcraft {

// The panel's bitmap format: one byte is one column of 8 dots, bit 0 the top dot, a set bit a lit
// dot. Glyphs are cut into 8-row bands of 8 columns; pictures into 8-row bands of their width.
namespace columnformat {

// An 8 x 16 single-byte glyph from its 16 row bytes (bit 7 = leftmost): columns 0..7 of rows
// 0..7, then of rows 8..15.
std::array<uint8_t, 16> singleByteCell(const std::array<uint8_t, 16>& rows);

// A 16 x 16 glyph: columns 0..7 of rows 0..7, of rows 8..15, then columns 8..15 likewise.
std::array<uint8_t, 32> twoByteCells(const GlyphBitmap& glyph);

// A dot picture of width x height, stored row by row from the bottom row up, one character per
// dot, 0 = dark (lit on the panel). Bands of 8 rows from the top band down, each band one byte per
// column; rows above the last full band are dropped, and at most 31 bands are taken (bits 3..7 of
// the height). Dots the string does not hold count as background.
std::vector<uint8_t> picture(std::string_view dots, int width, int height);

} // namespace columnformat

} // namespace dispcraft
