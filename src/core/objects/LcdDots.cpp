#include "objects/LcdDots.h"

#include <algorithm>
#include <cstdlib>

namespace dispcraft {

void LcdDots::fill(int x, int y, int w, int h, bool on) {
    const int x0 = std::max(x, 0), x1 = std::min(x + w, kWidth);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, kHeight);
    for (int r = y0; r < y1; ++r) {
        for (int c = x0; c < x1; ++c) {
            m_dots[index(c, r)] = on ? 1 : 0;
        }
    }
}

void LcdDots::invert(int x, int y, int w, int h) {
    const int x0 = std::max(x, 0), x1 = std::min(x + w, kWidth);
    const int y0 = std::max(y, 0), y1 = std::min(y + h, kHeight);
    for (int r = y0; r < y1; ++r) {
        for (int c = x0; c < x1; ++c) {
            m_dots[index(c, r)] ^= 1;
        }
    }
}

void LcdDots::line(int x0, int y0, int x1, int y1, bool on) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, on);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void LcdDots::columnBitmap(int x, int y, std::span<const uint8_t> data, int width, int bands,
                           int firstColumn, int columns) {
    if (width <= 0 || bands <= 0) {
        return;
    }
    const int from = std::max(firstColumn, 0);
    const int to = std::min(firstColumn + columns, width);
    for (int band = 0; band < bands; ++band) {
        for (int col = from; col < to; ++col) {
            const size_t at = static_cast<size_t>(band) * static_cast<size_t>(width) + static_cast<size_t>(col);
            if (at >= data.size()) {
                return;
            }
            const uint8_t b = data[at];
            for (int j = 0; j < 8; ++j) {
                if (b & (1u << j)) {
                    set(x + col - firstColumn, y + 8 * band + j, true);
                }
            }
        }
    }
}

} // namespace dispcraft
