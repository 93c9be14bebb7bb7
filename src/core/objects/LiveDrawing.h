#pragma once

#include "objects/GlyphCells.h"
#include "objects/ImageBitmaps.h"
#include "objects/LcdDots.h"
#include "objects/NumberFont.h"
#include "objects/PanelClock.h"
#include "objects/PlcValues.h"

#include <cstdint>
#include <span>

namespace dispcraft {

// Everything an object of a screen needs to draw itself live on the simulated LCD: the LCD, the
// image's glyphs, the screen's glyph-index list and dot pictures, the panel's own characters for
// values, the PLCs and the panel's clock. Simulated time is counted in milliseconds from the
// panel's start.
struct LiveDrawing {
    LcdDots& lcd;
    const GlyphCells& glyphs;
    std::span<const uint16_t> screenTexts;
    const ImageBitmaps& bitmaps;
    const NumberFont& numbers;
    const PlcValues& plc;
    const PanelClock& clock;
    int64_t nowMs = 0;
};

// The live state of an object kind that keeps none between frames.
struct NoLiveState {};

} // namespace dispcraft
