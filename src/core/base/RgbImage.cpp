#include "base/RgbImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace dispcraft {

RgbImage::RgbImage(int width, int height, Rgb fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * static_cast<size_t>(m_height) * 3) {
    fillAll(fill);
}

Rgb RgbImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return {};
    }
    const uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 3];
    return {p[0], p[1], p[2]};
}

void RgbImage::setPixel(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void RgbImage::invert(int x, int y) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 3];
    p[0] ^= 0xFF;
    p[1] ^= 0xFF;
    p[2] ^= 0xFF;
}

void RgbImage::fill(const Rect& r, Rgb c) {
    Rect clip = r.intersected({0, 0, m_width, m_height});
    if (clip.empty()) {
        return;
    }
    const size_t n = static_cast<size_t>(clip.width());
    uint8_t* first = &m_pixels[(static_cast<size_t>(clip.top) * m_width + clip.left) * 3];
    for (size_t i = 0; i < n; ++i) {
        first[3 * i] = c.r;
        first[3 * i + 1] = c.g;
        first[3 * i + 2] = c.b;
    }
    for (int y = clip.top + 1; y < clip.bottom; ++y) {
        std::memcpy(&m_pixels[(static_cast<size_t>(y) * m_width + clip.left) * 3], first, n * 3);
    }
}

void RgbImage::penLine(int x0, int y0, int x1, int y1, Rgb c) {
    if (x0 == x1 || y0 == y1) {
        fill({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 2, std::max(y0, y1) + 2}, c);
        return;
    }
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        fill({x0, y0, x0 + 2, y0 + 2}, c);
        if (x0 == x1 && y0 == y1) {
            break;
        }
        int e2 = 2 * err;
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

void RgbImage::focusRect(const Rect& r) {
    if (r.empty()) {
        return;
    }
    for (int x = r.left; x < r.right; x += 2) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top) {
            invert(x, r.bottom - 1);
        }
    }
    for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
        invert(r.left, y);
        if (r.right - 1 != r.left) {
            invert(r.right - 1, y);
        }
    }
}

void RgbImage::copyFrom(const RgbImage& src, Rgb outside) {
    int w = std::min(m_width, src.m_width);
    int h = std::min(m_height, src.m_height);
    if (w < m_width || h < m_height) {
        fillAll(outside);
    }
    for (int y = 0; y < h; ++y) {
        std::memcpy(&m_pixels[static_cast<size_t>(y) * m_width * 3],
                    &src.m_pixels[static_cast<size_t>(y) * src.m_width * 3],
                    static_cast<size_t>(w) * 3);
    }
}

} // namespace dispcraft
