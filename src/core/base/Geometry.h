#pragma once

#include <algorithm>
#include <cstdint>

namespace dispcraft {

// A point in view pixels (the 800 x 500 panel picture at 1:1).
struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle in view pixels: left and top inclusive, right and bottom exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static Rect ofSize(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    Rect grown(int32_t d) const { return {left - d, top - d, right + d, bottom + d}; }
    Rect united(const Rect& o) const {
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    Rect intersected(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    bool operator==(const Rect&) const = default;
};

} // namespace dispcraft
