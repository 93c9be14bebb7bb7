#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// A picture in a screen's record stream (7 bytes): one of the image's dot pictures.
struct PictureImageRecord {
    static constexpr uint8_t kKind = 7;
    static constexpr size_t kSize = 7;
    static constexpr int kCapacity = 48;
    using State = NoLiveState;

    uint8_t kind = kKind;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t height = 0; // dots; whole bands of 8 are shown
    uint8_t width = 0;
    uint8_t pictureNumber = 0; // 1..29

    void write(ByteWriter& w) const;
    static PictureImageRecord read(ByteReader& r);
    // Its top row lies one dot below the picture's place, where the screen editor draws it. A
    // height that is not a multiple of 8 loses its top rows in the image; they stay blank.
    void draw(const LiveDrawing& d, const State&) const;
};

} // namespace dispcraft
