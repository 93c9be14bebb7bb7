#include "lamp/LampPicture.h"

namespace dispcraft {

LampPicture LampPicture::blank(int size) {
    LampPicture p;
    p.size = size;
    p.dots.assign(byteCount(size), 0);
    return p;
}

uint8_t LampPicture::at(int row, int column) const {
    if (row < 0 || row >= size || column < 0 || column >= width()) {
        return 0;
    }
    size_t i = static_cast<size_t>(row) * static_cast<size_t>(width()) + static_cast<size_t>(column);
    return i < dots.size() ? dots[i] : 0;
}

bool LampPicture::isDark(int picture, int x, int y) const {
    if ((picture != 0 && picture != 1) || x < 0 || x >= size || y < 0 || y >= size) {
        return false;
    }
    size_t i = static_cast<size_t>(size - 1 - y) * static_cast<size_t>(width()) +
               static_cast<size_t>(picture * size + x);
    return i < dots.size() && dots[i] == 0;
}

} // namespace dispcraft
