#pragma once

#include "base/GlyphBitmap.h"
#include "base/Message.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

class ProgramDirectory;

// Where the 16 x 16 glyphs of two-byte characters come from. The build and the screen editor
// draw with the same source, so what the user sees is what the panel gets. Implementations are
// not thread-safe; use one source from one thread.
class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    // The glyph of a Unicode character, or nothing when the font has none.
    virtual std::optional<GlyphBitmap> glyph(char32_t codePoint) = 0;
    // The font file the glyphs come from.
    virtual const std::string& path() const = 0;

    // Opens one font file: a ".hex" file (Unifont's text format) as it is, anything else
    // (TrueType, OpenType, collections, bitmap fonts) through FreeType at 16 pixels. On failure
    // returns null and, when error is given, a short reason.
    static std::unique_ptr<GlyphSource> openFile(const std::string& path, std::string* error = nullptr);
};

// The outcome of choosing the two-byte glyph source.
struct GlyphFontChoice {
    std::unique_ptr<GlyphSource> source; // null when no source could be opened
    std::optional<Message> error;        // the font named by the caller could not be opened
    std::vector<Message> warnings;       // sources that were present but unreadable and skipped
};

// Chooses the two-byte glyph source in this order: the font the caller names (the command
// line's --glyph-font; failing to open it is an error, not a fall-through); "simsun.ttc" in the
// program directory; "unifont.hex" in the program directory; the system's Unifont hex file.
GlyphFontChoice chooseGlyphFont(const ProgramDirectory& dir, const std::string& fontPath = {});

// The system's Unifont hex file, as Debian's unifont package installs it.
inline constexpr const char* kSystemUnifontHex = "/usr/share/unifont/unifont.hex";

} // namespace dispcraft
