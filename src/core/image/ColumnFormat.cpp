#include "image/ColumnFormat.h"

namespace dispcraft::columnformat {

std::array<uint8_t, 16> singleByteCell(const std::array<uint8_t, 16>& rows) {
    std::array<uint8_t, 16> out{};
    for (int half = 0; half < 2; ++half) {
        for (int col = 0; col < 8; ++col) {
            unsigned b = 0;
            for (int j = 0; j < 8; ++j) {
                b |= ((rows[half * 8 + j] >> (7 - col)) & 1u) << j;
            }
            out[half * 8 + col] = static_cast<uint8_t>(b);
        }
    }
    return out;
}

std::array<uint8_t, 32> twoByteCells(const GlyphBitmap& glyph) {
    std::array<uint8_t, 32> out{};
    for (int block = 0; block < 4; ++block) {
        const int colBase = (block / 2) * 8;
        const int rowBase = (block % 2) * 8;
        for (int col = 0; col < 8; ++col) {
            unsigned b = 0;
            for (int j = 0; j < 8; ++j) {
                b |= static_cast<unsigned>(glyph.dot(colBase + col, rowBase + j)) << j;
            }
            out[block * 8 + col] = static_cast<uint8_t>(b);
        }
    }
    return out;
}

std::vector<uint8_t> picture(std::string_view dots, int width, int height) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0) {
        return out;
    }
    const int bands = (height >> 3) & 0x1F;
    out.reserve(static_cast<size_t>(bands) * static_cast<size_t>(width));
    auto dark = [&](int row, int col) {
        const size_t at = static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(col);
        return at < dots.size() && dots[at] == 0;
    };
    for (int band = bands - 1; band >= 0; --band) {
        for (int col = 0; col < width; ++col) {
            // Row 8b + j weighs 2^(7 - j); dark dots are the set bits after the inversion, so the
            // top row of the band (stored last) lands in bit 0.
            unsigned b = 0;
            for (int j = 0; j < 8; ++j) {
                if (dark(band * 8 + j, col)) {
                    b |= 1u << (7 - j);
                }
            }
            out.push_back(static_cast<uint8_t>(b));
        }
    }
    return out;
}

} // namespace dispcraft::columnformat
