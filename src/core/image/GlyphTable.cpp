#include "image/GlyphTable.h"

#include "image/ColumnFormat.h"

namespace dispcraft {

GlyphTable::GlyphTable() : m_pairOrdinal(65536, -1), m_bitmaps(16, 0) {}

bool GlyphTable::needsSingleByteGlyphs(std::string_view pool) {
    for (char c : pool) {
        if (static_cast<uint8_t>(c) < 127) {
            return true;
        }
    }
    return false;
}

bool GlyphTable::needsTwoByteGlyphs(std::string_view pool) {
    for (size_t i = 0; i + 1 < pool.size(); ++i) {
        if (static_cast<uint8_t>(pool[i]) & 0x80) {
            return true;
        }
    }
    return false;
}

void GlyphTable::collect(std::string_view pool, const Asc16Glyphs* ascii, TwoByteGlyphs& twoByte) {
    m_singleCell.fill(0);
    std::fill(m_pairOrdinal.begin(), m_pairOrdinal.end(), -1);
    m_pairs.clear();
    m_missing.clear();
    m_bitmaps.assign(16, 0);
    m_singleCount = 0;

    for (char ch : pool) {
        const auto c = static_cast<uint8_t>(ch);
        if (c >= 127 || m_singleCell[c] != 0) {
            continue;
        }
        ++m_singleCount;
        m_singleCell[c] = static_cast<uint16_t>(m_singleCount);
        const auto cell = ascii ? columnformat::singleByteCell(ascii->rows(c)) : std::array<uint8_t, 16>{};
        m_bitmaps.insert(m_bitmaps.end(), cell.begin(), cell.end());
    }

    for (size_t i = 0; i < pool.size(); ++i) {
        const auto lead = static_cast<uint8_t>(pool[i]);
        if (!(lead & 0x80)) {
            continue;
        }
        if (i + 1 >= pool.size()) {
            break;
        }
        const auto trail = static_cast<uint8_t>(pool[++i]);
        const uint16_t key = static_cast<uint16_t>((lead << 8) | trail);
        if (m_pairOrdinal[key] >= 0) {
            continue;
        }
        m_pairOrdinal[key] = static_cast<int32_t>(m_pairs.size());
        m_pairs.push_back(key);
        const TwoByteGlyphs::Lookup& g = twoByte.glyph(lead, trail);
        if (!g.found) {
            m_missing.push_back(key);
        }
        const auto cells = columnformat::twoByteCells(g.bitmap);
        m_bitmaps.insert(m_bitmaps.end(), cells.begin(), cells.end());
    }
}

void GlyphTable::encode(std::string_view text, std::vector<uint16_t>& out) const {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<uint8_t>(text[i]);
        if (c <= 126) {
            out.push_back(m_singleCell[c]);
            continue;
        }
        if (i + 1 >= text.size()) {
            break;
        }
        const auto trail = static_cast<uint8_t>(text[++i]);
        const int32_t ordinal = m_pairOrdinal[static_cast<uint16_t>((c << 8) | trail)];
        out.push_back(ordinal < 0 ? 0 : static_cast<uint16_t>(2 * ordinal + firstPairCell() + 1));
    }
}

} // namespace dispcraft
