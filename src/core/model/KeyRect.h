#pragma once

#include <cstdint>

namespace dispcraft {

// A key's rectangle on the panel picture, in picture pixels.
struct KeyRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const KeyRect&) const = default;
};

} // namespace dispcraft
