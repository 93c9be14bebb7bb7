#pragma once

#include "objects/GlyphCells.h"
#include "objects/ImageBitmaps.h"
#include "sim/AlarmGroupImage.h"
#include "sim/ChangeImageRecord.h"
#include "image/ImageHeader.h"
#include "image/ScreenImage.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace dispcraft {

// A download image decoded into everything the panel reads from it. Offsets are kept as the
// image gives them (from the header); the blocks they point into are copied out.
struct PanelImage {
    static constexpr size_t kOffsetTableSize = 520;
    static constexpr size_t kSystemBlockSize = 36;
    static constexpr size_t kDriverSize = 4096;
    static constexpr int kPictureEntries = 200; // entry 200 + p: picture p
    static constexpr int kLampEntries = 230;    // entry 230 + k: lamp picture k

    // True when the COM1 link driver comes before the header: a one-port model's image. Such
    // an image has no change records and no 25-key records.
    bool driverInFront = false;
    std::vector<uint8_t> driver;
    ImageHeader header;
    std::array<uint16_t, 260> offsets{};
    // The system block: the bit-to-screen table (a count, then 32 screens) and 3 more bytes.
    std::array<uint8_t, kSystemBlockSize> systemBlock{};
    std::vector<AlarmGroupImage> alarmGroups; // group 1, and group 2 when it follows
    std::vector<ChangeImageRecord> changes;
    std::map<int, ScreenImage> screens;
    std::vector<uint16_t> screenTexts; // glyph-index lists
    std::vector<uint16_t> alarmTexts;
    std::vector<uint8_t> glyphBitmaps;
    std::vector<uint8_t> pictureBlock;
    std::vector<uint8_t> lampBlock;

    bool onePort() const { return driverInFront; }
    const ScreenImage* screen(int s) const {
        auto it = screens.find(s);
        return it == screens.end() ? nullptr : &it->second;
    }
    int bitScreenCount() const { return systemBlock[0] < 32 ? systemBlock[0] : 32; }
    int bitScreen(int bit) const { return bit >= 0 && bit < 32 ? systemBlock[1 + static_cast<size_t>(bit)] : 0; }

    GlyphCells glyphs() const { return GlyphCells(glyphBitmaps, header.firstPairCell); }
    ImageBitmaps bitmaps() const;
    // Where alarm group g's texts end in the alarm glyph-index list.
    size_t alarmTextsEnd(size_t g) const;
};

} // namespace dispcraft
