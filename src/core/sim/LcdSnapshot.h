#pragma once

#include "base/RgbImage.h"
#include "objects/LcdDots.h"

#include <string>

namespace dispcraft {

// The LCD as a picture of one pixel per dot: a lit dot black, any other white.
class LcdSnapshot {
public:
    static constexpr Rgb kLit{0, 0, 0};
    static constexpr Rgb kUnlit{255, 255, 255};

    static RgbImage picture(const LcdDots& lcd);
    // Writes the picture as a PNG file (through a temporary file); false with the reason.
    static bool writePng(const LcdDots& lcd, const std::string& path, std::string* error = nullptr);
};

} // namespace dispcraft
