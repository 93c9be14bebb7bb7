#pragma once

#include "image/BuildResult.h"
#include "model/ProjectStore.h"

#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

class PanelGlyphs;
class ProgramDirectory;

struct BuildOptions {
    // The font for two-byte glyphs (the command line's --glyph-font); empty = the usual order
    // (see chooseGlyphFont). A named font that cannot be opened stops the build.
    std::string glyphFontPath;
    // Glyphs already open (the screen editor's), used instead of opening them; their missing
    // "asc16" or font then stops the build only when the texts need it.
    PanelGlyphs* glyphs = nullptr;
};

// Compiles a project into the panel's download image, in memory. The store must hold what Save
// leaves in it (global text pool rebuilt, old key records derived); the panel model and the
// protocol files must have been read into it. Reads from the program directory: "asc16", the
// glyph font, the protocol files (link kind), the COM1 driver of CPU_ID 1 models and the lamp
// pictures in "lampdata". Failures, warnings and the start screen check come back in the
// result; no file is written.
class ImageBuilder {
public:
    static constexpr const char* kImageFileName = "qelsoft.qel";
    static constexpr size_t kHeaderSize = 40;
    static constexpr size_t kOffsetTableSize = 520;
    static constexpr size_t kDriverBytes = 4096;
    static constexpr size_t kMaxOnePortFile = 32640;
    static constexpr size_t kMaxFile = 47104;
    static constexpr size_t kAddressable = 65536; // 16-bit offsets from the header

    static BuildResult build(const ProjectStore& store, const ProgramDirectory& dir,
                             const BuildOptions& options = {});

    // Writes a built image to path through a temporary file, so a failed write keeps the old
    // file; message 65305 (with the system's reason in detail) on failure.
    static std::optional<Message> write(const BuildResult& result, const std::string& path,
                                        std::string* detail = nullptr);

    // The panel's code of a stored baud rate (low 16 bits: 115200 is 49664), if it has one.
    static std::optional<uint8_t> baudCode(uint16_t stored);
    // "E", "N" or "O" for a stored parity letter of either case; anything else is "N".
    static uint8_t parityLetter(uint8_t stored);
    // The order in which a screen's NumDisps are written: top to bottom, on a line left to
    // right, the last of identical positions first.
    static std::vector<int> numDispOrder(const ScreenBlock& screen, int count);
    // The lamp number of a picture name: the two digits after "lamp"; -1 when they are not
    // digits. Only 0..29 have a place in the image.
    static int lampNumber(const LampRecord& lamp);
    // A lamp picture name that would leave "lampdata" (a path separator or "..").
    static bool unsafeLampName(const std::string& name);
};

} // namespace dispcraft
