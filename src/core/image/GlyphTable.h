#pragma once

#include "image/Asc16Glyphs.h"
#include "image/TwoByteGlyphs.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dispcraft {

// The glyph cells of an image and the texts' glyph indices. Cell 0 is blank; the single-byte
// characters of the pool follow in order of first appearance, one 16-byte cell each, then the
// two-byte characters, two cells each.
class GlyphTable {
public:
    GlyphTable();

    // What a pool asks of the glyph files: "asc16" for any byte below 127, a two-byte source
    // for any byte of 128 or more that has a byte after it.
    static bool needsSingleByteGlyphs(std::string_view pool);
    static bool needsTwoByteGlyphs(std::string_view pool);

    // Collects every character of the pool. Every byte below 127 is a single-byte character,
    // even the second byte of a two-byte character; then the pool is walked again in pairs, each
    // byte with bit 7 set taking the byte after it. ascii may be null only when the pool needs no
    // single-byte glyphs. Pairs the font lacks stay blank and are listed in missingPairs().
    void collect(std::string_view pool, const Asc16Glyphs* ascii, TwoByteGlyphs& twoByte);

    // Appends the glyph index of each character of text: a single-byte character's cell, a pair's
    // second cell, 0 for what was not collected (a pair led by byte 127 never is); a lead byte
    // ending the text gives nothing.
    void encode(std::string_view text, std::vector<uint16_t>& out) const;

    // Header byte 14: the first cell of the two-byte glyphs.
    uint8_t firstPairCell() const { return static_cast<uint8_t>(1 + m_singleCount); }
    int singleCount() const { return m_singleCount; }
    int pairCount() const { return static_cast<int>(m_pairs.size()); }
    const std::vector<uint8_t>& bitmaps() const { return m_bitmaps; }
    // (lead << 8) | trail of the collected pairs the font has no glyph for, in order.
    const std::vector<uint16_t>& missingPairs() const { return m_missing; }

private:
    std::array<uint16_t, 128> m_singleCell{};
    std::vector<int32_t> m_pairOrdinal; // by (lead << 8) | trail; -1 = not collected
    std::vector<uint16_t> m_pairs;
    std::vector<uint16_t> m_missing;
    std::vector<uint8_t> m_bitmaps;
    int m_singleCount = 0;
};

} // namespace dispcraft
