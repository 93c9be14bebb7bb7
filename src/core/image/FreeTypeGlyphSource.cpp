#include "image/FreeTypeGlyphSource.h"

#ifdef DISPCRAFT_HAVE_FREETYPE
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace dispcraft {

#ifdef DISPCRAFT_HAVE_FREETYPE

namespace {
constexpr int kBaseline = 14;
FT_Library lib(void* p) { return static_cast<FT_Library>(p); }
FT_Face face(void* p) { return static_cast<FT_Face>(p); }
} // namespace

bool FreeTypeGlyphSource::available() { return true; }

FreeTypeGlyphSource::~FreeTypeGlyphSource() {
    if (m_face) {
        FT_Done_Face(face(m_face));
    }
    if (m_library) {
        FT_Done_FreeType(lib(m_library));
    }
}

std::unique_ptr<FreeTypeGlyphSource> FreeTypeGlyphSource::open(const std::string& path,
                                                               std::string* error) {
    auto fail = [&](const char* why) -> std::unique_ptr<FreeTypeGlyphSource> {
        if (error) {
            *error = why;
        }
        return nullptr;
    };
    auto source = std::unique_ptr<FreeTypeGlyphSource>(new FreeTypeGlyphSource);
    source->m_path = path;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return fail("the font library cannot be started");
    }
    source->m_library = library;
    FT_Face f = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &f) != 0) {
        return fail("cannot be read as a font");
    }
    source->m_face = f;
    if (FT_Select_Charmap(f, FT_ENCODING_UNICODE) != 0) {
        return fail("has no Unicode character map");
    }
    int strike = -1;
    for (int i = 0; i < f->num_fixed_sizes; ++i) {
        const FT_Bitmap_Size& s = f->available_sizes[i];
        if (s.y_ppem == 16 * 64 || (s.y_ppem == 0 && s.height == 16)) {
            strike = i;
            break;
        }
    }
    if (strike >= 0) {
        if (FT_Select_Size(f, strike) != 0) {
            return fail("its 16-pixel bitmaps cannot be used");
        }
        source->m_strike = true;
    } else if (FT_IS_SCALABLE(f)) {
        if (FT_Set_Pixel_Sizes(f, 0, 16) != 0) {
            return fail("cannot be scaled to 16 pixels");
        }
    } else {
        return fail("has no 16-pixel size");
    }
    // The panel's own glyphs have their baseline at row 14 of the cell. Fonts with a taller
    // line (many CJK faces reach 16 pixels above the baseline) would lose their bottom rows, so
    // the baseline never goes below that row; a missing ascender (some strikes) counts as 14.
    long asc = f->size->metrics.ascender;
    int ascender = asc > 0 ? static_cast<int>((asc + 32) >> 6) : kBaseline;
    source->m_ascender = ascender < kBaseline ? ascender : kBaseline;
    return source;
}

std::optional<GlyphBitmap> FreeTypeGlyphSource::glyph(char32_t codePoint) {
    FT_Face f = face(m_face);
    FT_UInt index = FT_Get_Char_Index(f, codePoint);
    if (index == 0) {
        return std::nullopt;
    }
    if (FT_Load_Glyph(f, index, FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO) != 0) {
        return std::nullopt;
    }
    const FT_GlyphSlot slot = f->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        return std::nullopt;
    }
    const FT_Bitmap& bm = slot->bitmap;
    GlyphBitmap g;
    const int left = slot->bitmap_left;
    const int top = m_ascender - slot->bitmap_top;
    for (unsigned r = 0; r < bm.rows; ++r) {
        const unsigned char* line = bm.buffer + static_cast<long>(r) * bm.pitch;
        if (bm.pitch < 0) {
            line = bm.buffer + static_cast<long>(bm.rows - 1 - r) * -bm.pitch;
        }
        for (unsigned c = 0; c < bm.width; ++c) {
            bool on = false;
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                on = (line[c >> 3] >> (7 - (c & 7))) & 1;
            } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
                on = line[c] >= 128;
            }
            if (on) {
                g.set(left + static_cast<int>(c), top + static_cast<int>(r));
            }
        }
    }
    return g;
}

#else

bool FreeTypeGlyphSource::available() { return false; }
FreeTypeGlyphSource::~FreeTypeGlyphSource() = default;
std::unique_ptr<FreeTypeGlyphSource> FreeTypeGlyphSource::open(const std::string&, std::string* error) {
    if (error) {
        *error = "this program was built without font rendering";
    }
    return nullptr;
}
std::optional<GlyphBitmap> FreeTypeGlyphSource::glyph(char32_t) { return std::nullopt; }

#endif

} // namespace dispcraft
