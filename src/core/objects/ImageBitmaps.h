#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace dispcraft {

// The dot pictures of a download image in the panel's column format: the picture block with
// the start of picture p (1..29) and the lamp picture block with the start of lamp picture k
// (0..29) inside it, as the offset table gives them. A lamp start of 0 means the number is not
// used (the block begins with one marker byte); a picture start of 0 is also that of the first
// picture, so pictures are taken as the objects name them.
struct ImageBitmaps {
    std::span<const uint8_t> pictures;
    std::array<uint16_t, 30> pictureStarts{};
    std::span<const uint8_t> lamps;
    std::array<uint16_t, 30> lampStarts{};

    // The bytes from picture p's start to the end of the block; empty for a number outside 1..29.
    std::span<const uint8_t> picture(int p) const {
        if (p < 1 || p > 29 || pictureStarts[static_cast<size_t>(p)] >= pictures.size()) {
            return {};
        }
        return pictures.subspan(pictureStarts[static_cast<size_t>(p)]);
    }
    // The bytes from lamp picture k's start on; empty when k has none.
    std::span<const uint8_t> lamp(int k) const {
        if (k < 0 || k > 29) {
            return {};
        }
        const uint16_t at = lampStarts[static_cast<size_t>(k)];
        if (at == 0 || at >= lamps.size()) {
            return {};
        }
        return lamps.subspan(at);
    }
};

} // namespace dispcraft
