#pragma once

#include "base/RgbImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// A small reader for the uncompressed BMP forms a panel picture comes in (1, 4, 8, 24 and 32
// bits per pixel, bottom-up or top-down), and a writer of 24-bit BMPs.
class BmpImage {
public:
    // Nothing, with a short reason, for anything else or a damaged file.
    static std::optional<RgbImage> read(const uint8_t* data, size_t size, std::string* error = nullptr);
    static std::optional<RgbImage> load(const std::string& path, std::string* error = nullptr);
    static std::vector<uint8_t> write24(const RgbImage& image);

    static constexpr int kMaxSide = 16384;
};

} // namespace dispcraft
