#pragma once

#include "base/GlyphBitmap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

class ProgramDirectory;

// The single-byte glyph file "asc16" of the program directory: 256 characters of 16 bytes,
// character c at offset 16 x c, one byte per row (row 0 first), bit 7 = leftmost dot.
class Asc16Glyphs {
public:
    static constexpr const char* kFileName = "asc16";
    static constexpr size_t kFileSize = 256 * 16;

    enum class Status { Ok, Missing, Damaged };
    // Reads the file; a file shorter than 4096 bytes is damaged (its characters would be cut).
    static std::optional<Asc16Glyphs> load(const std::string& path, Status* status = nullptr);
    static std::string pathIn(const ProgramDirectory& dir);
    static Asc16Glyphs fromBytes(const std::vector<uint8_t>& bytes); // needs 4096 bytes

    // The 16 row bytes of character c.
    std::array<uint8_t, 16> rows(uint8_t c) const;
    // Character c as a bitmap, 8 x 16 in the left half.
    GlyphBitmap bitmap(uint8_t c) const;

private:
    std::vector<uint8_t> m_bytes;
};

} // namespace dispcraft
