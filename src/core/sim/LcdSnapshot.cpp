#include "sim/LcdSnapshot.h"

#include "editor/PngFile.h"

namespace dispcraft {

RgbImage LcdSnapshot::picture(const LcdDots& lcd) {
    RgbImage img(LcdDots::kWidth, LcdDots::kHeight, kUnlit);
    for (int y = 0; y < LcdDots::kHeight; ++y) {
        for (int x = 0; x < LcdDots::kWidth; ++x) {
            if (lcd.lit(x, y)) {
                img.setPixel(x, y, kLit);
            }
        }
    }
    return img;
}

bool LcdSnapshot::writePng(const LcdDots& lcd, const std::string& path, std::string* error) {
    return PngFile::write(path, picture(lcd), error);
}

} // namespace dispcraft
