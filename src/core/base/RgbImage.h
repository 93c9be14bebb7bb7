#pragma once

#include "base/Geometry.h"

#include <cstdint>
#include <vector>

namespace dispcraft {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// An RGB picture, 3 bytes per pixel row by row from the top (what a GUI wraps as RGB888), with
// the few drawing operations the screen drawing needs. Everything is clipped to the picture.
class RgbImage {
public:
    RgbImage() = default;
    RgbImage(int width, int height, Rgb fill = {});

    int width() const { return m_width; }
    int height() const { return m_height; }
    const uint8_t* data() const { return m_pixels.data(); }
    uint8_t* data() { return m_pixels.data(); }
    size_t bytesPerLine() const { return static_cast<size_t>(m_width) * 3; }
    const std::vector<uint8_t>& pixels() const { return m_pixels; }

    Rgb pixel(int x, int y) const;
    void setPixel(int x, int y, Rgb c);
    void fill(const Rect& r, Rgb c);
    void fillAll(Rgb c) { fill({0, 0, m_width, m_height}, c); }
    // A line of the 2-pixel pen: every point of the line paints the 2 x 2 square below and to
    // the right of it, both ends included.
    void penLine(int x0, int y0, int x1, int y1, Rgb c);
    // The dotted outline of a focus rectangle (right and bottom exclusive), inverting every
    // other pixel.
    void focusRect(const Rect& r);
    // Copies the top-left part of another picture to (0, 0); what it does not cover is filled.
    void copyFrom(const RgbImage& src, Rgb outside);

    bool operator==(const RgbImage&) const = default;

private:
    void invert(int x, int y);

    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_pixels;
};

} // namespace dispcraft
