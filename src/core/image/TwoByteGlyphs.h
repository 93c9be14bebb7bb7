#pragma once

#include "image/GlyphSource.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace dispcraft {

// The glyphs of GB2312 two-byte characters: each pair is mapped to Unicode and drawn once by the
// glyph source, then kept. A pair the font lacks, or one that is not a GB2312 character, is
// blank; found() tells the two apart from a glyph that is really empty (such as the full-width
// space).
class TwoByteGlyphs {
public:
    // source may be null: every pair is then blank and not found.
    explicit TwoByteGlyphs(std::unique_ptr<GlyphSource> source);

    struct Lookup {
        GlyphBitmap bitmap;
        bool found = false;
    };
    const Lookup& glyph(uint8_t lead, uint8_t trail);

    GlyphSource* source() const { return m_source.get(); }

    // How a warning names a pair: the character itself in UTF-8 when it is GB2312, and its code,
    // for example {"中", "D6D0"}; a pair outside GB2312 is named by its bytes, {"\xFF\x41", "FF41"}.
    static std::array<std::string, 2> describe(uint8_t lead, uint8_t trail);

private:
    std::unique_ptr<GlyphSource> m_source;
    std::unique_ptr<std::array<Lookup, 65536>> m_cache;
    std::unique_ptr<std::array<bool, 65536>> m_cached;
};

} // namespace dispcraft
