#include "base/BmpHeader.h"

namespace dispcraft {

namespace {

uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

unsigned lightness(const std::array<uint8_t, 3>& rgb) {
    return 299u * rgb[0] + 587u * rgb[1] + 114u * rgb[2];
}

} // namespace

std::optional<BmpHeader> BmpHeader::parse(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 2 || data[0] != 'B' || data[1] != 'M') {
        return std::nullopt;
    }
    BmpHeader h;
    if (size < kFileHeaderSize) {
        return h;
    }
    h.m_fileSize = u32(data + 2);
    h.m_pixelOffset = u32(data + 10);
    if (size < kFileHeaderSize + 4) {
        return h;
    }
    h.m_infoSize = u32(data + kFileHeaderSize);
    const uint8_t* info = data + kFileHeaderSize;
    if (h.m_infoSize == kCoreHeaderSize) {
        if (size < kFileHeaderSize + kCoreHeaderSize) {
            return h;
        }
        h.m_layout = Layout::Core;
        h.m_width = u16(info + 4);
        h.m_height = static_cast<int16_t>(u16(info + 6));
        h.m_bitCount = u16(info + 10);
        return h;
    }
    if (size < kFileHeaderSize + kInfoHeaderSize) {
        return h;
    }
    // A header of another size is read at the usual places too, so that a reader can still
    // tell a colour bitmap from a monochrome one before it refuses the header.
    h.m_layout = h.m_infoSize >= kInfoHeaderSize ? Layout::Info : Layout::Unknown;
    h.m_width = static_cast<int32_t>(u32(info + 4));
    h.m_height = static_cast<int32_t>(u32(info + 8));
    h.m_bitCount = u16(info + 14);
    h.m_compression = u32(info + 16);
    h.m_coloursUsed = u32(info + 32);
    return h;
}

uint64_t BmpHeader::stride() const {
    if (m_width <= 0) {
        return 0;
    }
    return (static_cast<uint64_t>(m_width) * m_bitCount + 31) / 32 * 4;
}

std::optional<std::array<uint8_t, 3>> BmpHeader::colour(const uint8_t* data, size_t size,
                                                        unsigned i) const {
    if (m_layout != Layout::Info && m_layout != Layout::Core) {
        return std::nullopt;
    }
    const uint64_t at = colourTableOffset() + static_cast<uint64_t>(i) * colourEntrySize();
    if (at + 3 > size || at + 3 > m_pixelOffset) {
        return std::nullopt;
    }
    return std::array<uint8_t, 3>{data[at + 2], data[at + 1], data[at]};
}

bool BmpHeader::lightFirst(const uint8_t* data, size_t size) const {
    const auto first = colour(data, size, 0);
    const auto second = colour(data, size, 1);
    return first && second && lightness(*first) > lightness(*second);
}

std::optional<std::array<uint32_t, 3>> BmpHeader::bitFields(const uint8_t* data,
                                                            size_t size) const {
    // Right after a 40-byte header, or at the same place inside a longer one.
    const size_t at = kFileHeaderSize + kInfoHeaderSize;
    if (m_layout != Layout::Info || size < at + 12) {
        return std::nullopt;
    }
    return std::array<uint32_t, 3>{u32(data + at), u32(data + at + 4), u32(data + at + 8)};
}

} // namespace dispcraft
