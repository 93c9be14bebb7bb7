#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace dispcraft::testing {

// Writes BMP files the way paint programs do (bottom-up, 40-byte header, two-entry colour table
// black then white, rows padded to 4 bytes), with knobs for the variants the converter must
// cope with.
struct TestBmp {
    int width = 32;
    int height = 16; // the stored rows; topDown stores them with a negative height
    bool topDown = false;
    uint16_t bitCount = 1;
    uint32_t headerSize = 40;
    uint32_t compression = 0;
    uint32_t gap = 0;         // bytes between the colour table and the dots
    uint8_t filler = 0;       // value of the bytes that pad each stored row
    bool whiteFirst = false;  // colour table white, black instead of black, white
    // Dot of the image as seen (y from the top): true = bit set (colour index 1).
    std::function<bool(int x, int y)> bit = [](int, int) { return true; };

    std::vector<uint8_t> bytes() const {
        const uint32_t palette = bitCount <= 8 ? (4u << bitCount) : 0;
        const uint32_t stride = (static_cast<uint32_t>(width) * bitCount + 31) / 32 * 4;
        const uint32_t offBits = 14 + headerSize + palette + gap;
        const uint32_t fileSize = offBits + stride * static_cast<uint32_t>(height);
        std::vector<uint8_t> b;
        auto put16 = [&](uint32_t v) {
            b.push_back(v & 0xff);
            b.push_back((v >> 8) & 0xff);
        };
        auto put32 = [&](uint32_t v) {
            put16(v & 0xffff);
            put16(v >> 16);
        };
        b.push_back('B');
        b.push_back('M');
        put32(fileSize);
        put32(0);
        put32(offBits);
        put32(headerSize);
        put32(static_cast<uint32_t>(width));
        put32(static_cast<uint32_t>(topDown ? -height : height));
        put16(1);
        put16(bitCount);
        put32(compression);
        put32(stride * static_cast<uint32_t>(height));
        put32(2835);
        put32(2835);
        put32(0);
        put32(0);
        b.resize(14 + headerSize, 0);
        for (uint32_t i = 0; i < palette / 4; ++i) {
            uint8_t v = (i == 0) != whiteFirst ? 0 : 255;
            b.insert(b.end(), {v, v, v, 0});
        }
        b.resize(offBits, 0);
        for (int stored = 0; stored < height; ++stored) {
            int y = topDown ? stored : height - 1 - stored;
            std::vector<uint8_t> row(stride, filler);
            if (bitCount == 1) {
                for (int x = 0; x < (width + 7) / 8 * 8; ++x) {
                    uint8_t& byte = row[static_cast<size_t>(x / 8)];
                    uint8_t mask = static_cast<uint8_t>(0x80 >> (x % 8));
                    if (x < width) {
                        byte = bit(x, y) ? (byte | mask) : (byte & ~mask);
                    }
                }
            }
            b.insert(b.end(), row.begin(), row.end());
        }
        return b;
    }
};

} // namespace dispcraft::testing
