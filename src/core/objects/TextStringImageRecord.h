#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// A static text in a screen's record stream of the download image (6 bytes): its place on the
// LCD, its font and video, and where its glyph indices start in the screen's glyph-index list
// (they run to the next 0).
struct TextStringImageRecord {
    static constexpr uint8_t kKind = 1;
    static constexpr size_t kSize = 6;
    static constexpr int kCapacity = 96;
    static constexpr uint8_t kReverse = 0x80;
    using State = NoLiveState;

    uint8_t kind = kKind;
    uint8_t x = 0; // LCD dots
    uint8_t y = 0;
    uint8_t attributes = 0; // bits 0-1 font (bit 0 double width, bit 1 double height), bit 7 reverse
    uint16_t textStart = 0;

    int font() const { return attributes & 0x03; }
    bool reverse() const { return (attributes & kReverse) != 0; }

    void write(ByteWriter& w) const;
    static TextStringImageRecord read(ByteReader& r);
    void draw(const LiveDrawing& d, const State&) const;
};

} // namespace dispcraft
