#include "image/Asc16Glyphs.h"

#include "base/ProgramDirectory.h"
#include "base/FileIo.h"

namespace dispcraft {

std::optional<Asc16Glyphs> Asc16Glyphs::load(const std::string& path, Status* status) {
    auto bytes = FileIo::readBytes(path);
    if (!bytes) {
        if (status) {
            *status = Status::Missing;
        }
        return std::nullopt;
    }
    if (bytes->size() < kFileSize) {
        if (status) {
            *status = Status::Damaged;
        }
        return std::nullopt;
    }
    if (status) {
        *status = Status::Ok;
    }
    return fromBytes(*bytes);
}

std::string Asc16Glyphs::pathIn(const ProgramDirectory& dir) { return dir.file(kFileName); }

Asc16Glyphs Asc16Glyphs::fromBytes(const std::vector<uint8_t>& bytes) {
    Asc16Glyphs g;
    g.m_bytes.assign(bytes.begin(), bytes.begin() + static_cast<long>(std::min(bytes.size(), kFileSize)));
    g.m_bytes.resize(kFileSize, 0);
    return g;
}

std::array<uint8_t, 16> Asc16Glyphs::rows(uint8_t c) const {
    std::array<uint8_t, 16> r{};
    for (size_t i = 0; i < 16; ++i) {
        r[i] = m_bytes[16u * c + i];
    }
    return r;
}

GlyphBitmap Asc16Glyphs::bitmap(uint8_t c) const {
    GlyphBitmap g;
    auto r = rows(c);
    for (size_t i = 0; i < 16; ++i) {
        g.rows[i] = static_cast<uint16_t>(r[i] << 8);
    }
    return g;
}

} // namespace dispcraft
