#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dispcraft {

// The two states of a lamp as one block of dot bytes, exactly as a .lmp file holds them:
// `size` rows of 2 x size dots, row 0 the BOTTOM row, columns left to right; columns 0..size-1
// are the first picture, size..2*size-1 the second. A byte 0 is a dark dot, anything else is
// background.
struct LampPicture {
    static constexpr int kSmall = 16;
    static constexpr int kLarge = 32;

    int size = kSmall;
    std::vector<uint8_t> dots;

    // 512 for a 16-dot lamp, 2048 for a 32-dot one; 0 for any other size.
    static constexpr size_t byteCount(int size) {
        return size == kSmall || size == kLarge ? static_cast<size_t>(2 * size * size) : 0;
    }
    // A picture of the given size with every dot dark (0).
    static LampPicture blank(int size);

    bool isValid() const { return byteCount(size) != 0 && dots.size() == byteCount(size); }
    int width() const { return 2 * size; }

    // Raw byte at file row (0 = bottom) and column; 0 outside the picture.
    uint8_t at(int row, int column) const;
    // Whether a dot of picture 0 (first) or 1 (second) is dark, addressed as it is seen:
    // x from the left, y from the TOP. False outside the picture.
    bool isDark(int picture, int x, int y) const;
};

} // namespace dispcraft
