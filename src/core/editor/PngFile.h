#pragma once

#include "base/RgbImage.h"

#include <optional>
#include <string>

namespace dispcraft {

// PNG files of RGB pictures (rendered screens and their golden copies). Available when the core
// is built with libpng.
class PngFile {
public:
    static bool available();
    // Written through a temporary file, so a failed write leaves an old file whole.
    static bool write(const std::string& path, const RgbImage& image, std::string* error = nullptr);
    static std::optional<RgbImage> read(const std::string& path, std::string* error = nullptr);
};

} // namespace dispcraft
