#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace dispcraft {

// The headers of a BMP file, read once for every reader of pictures (lamp conversion, picture
// import, panel pictures). Each reader keeps its own order of checks and its own messages; this
// only says what the file declares. Information headers of 40 bytes and the longer ones that
// extend them (52, 56, 108 and 124 bytes, as GIMP and ImageMagick write) share the fields read
// here; the old 12-byte core header has its own layout.
class BmpHeader {
public:
    static constexpr size_t kFileHeaderSize = 14;
    static constexpr size_t kInfoHeaderSize = 40;
    static constexpr size_t kCoreHeaderSize = 12;

    enum class Layout {
        Missing, // the file ends before its information header does
        Core,    // 12-byte core header
        Info,    // 40 bytes or longer
        Unknown, // any other header size
    };

    // Nothing when the data does not start with "BM". Fields the data is too short for stay 0.
    static std::optional<BmpHeader> parse(const uint8_t* data, size_t size);

    uint32_t declaredFileSize() const { return m_fileSize; } // bfSize
    uint32_t pixelOffset() const { return m_pixelOffset; }   // bfOffBits
    uint32_t infoHeaderSize() const { return m_infoSize; }
    Layout layout() const { return m_layout; }
    bool hasInfoHeader() const { return m_layout == Layout::Info; }

    // As declared; a negative height marks rows stored top row first.
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    bool topDown() const { return m_height < 0; }
    int64_t rows() const { return m_height < 0 ? -static_cast<int64_t>(m_height) : m_height; }
    uint16_t bitCount() const { return m_bitCount; }
    uint32_t compression() const { return m_compression; }
    uint32_t coloursUsed() const { return m_coloursUsed; }

    // The bytes of one stored row: whole pixels padded to four bytes (0 for a width <= 0).
    uint64_t stride() const;

    // Where the colour table starts and how long one entry is (blue, green, red[, unused]).
    size_t colourTableOffset() const { return kFileHeaderSize + m_infoSize; }
    size_t colourEntrySize() const { return m_layout == Layout::Core ? 3 : 4; }
    // Entry i of the colour table as {red, green, blue}; nothing when the data ends before it
    // or it lies beyond the pixel offset.
    std::optional<std::array<uint8_t, 3>> colour(const uint8_t* data, size_t size,
                                                 unsigned i) const;

    // For a two-colour bitmap: whether colour index 0 is the lighter one, so that a clear bit
    // is light and a set bit dark (the opposite of the usual black-then-white table). False
    // without a readable two-entry table or when both entries are equally light.
    bool lightFirst(const uint8_t* data, size_t size) const;

    // Bit masks of a 32-bit bitmap with bit fields (compression 3): the three words that follow
    // a 40-byte header, or the same words inside a longer one. Nothing when the data ends first.
    std::optional<std::array<uint32_t, 3>> bitFields(const uint8_t* data, size_t size) const;

private:
    uint32_t m_fileSize = 0;
    uint32_t m_pixelOffset = 0;
    uint32_t m_infoSize = 0;
    Layout m_layout = Layout::Missing;
    int32_t m_width = 0;
    int32_t m_height = 0;
    uint16_t m_bitCount = 0;
    uint32_t m_compression = 0;
    uint32_t m_coloursUsed = 0;
};

} // namespace dispcraft
