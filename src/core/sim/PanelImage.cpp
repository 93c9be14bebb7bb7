#include "sim/PanelImage.h"

namespace dispcraft {

ImageBitmaps PanelImage::bitmaps() const {
    ImageBitmaps b;
    b.pictures = pictureBlock;
    b.lamps = lampBlock;
    for (int p = 1; p < 30; ++p) {
        b.pictureStarts[static_cast<size_t>(p)] = offsets[static_cast<size_t>(kPictureEntries + p)];
    }
    for (int k = 0; k < 30; ++k) {
        b.lampStarts[static_cast<size_t>(k)] = offsets[static_cast<size_t>(kLampEntries + k)];
    }
    return b;
}

size_t PanelImage::alarmTextsEnd(size_t g) const {
    if (g + 1 < alarmGroups.size()) {
        return alarmGroups[g + 1].textStarts[0];
    }
    return alarmTexts.size();
}

} // namespace dispcraft
