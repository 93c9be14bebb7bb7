#pragma once

#include "objects/EditorObject.h"

#include <cstdint>

namespace dispcraft {

// Working TrendGraph. The stored record's names apply (TrendGraphRecord).
struct TrendGraphObject : EditorObject {
    uint8_t attr = 0;
    int32_t address = 0;
    int32_t maximum = 0;
    int32_t minimum = 0;
    int32_t height = 0; // dots
    int32_t width = 0;  // dots
    int32_t settingA = 0;
    int32_t spacing = 0; // dots between samples
    int32_t pointCount = 0;
    uint8_t areaAndBit = 0;

    bool operator==(const TrendGraphObject&) const = default;
};

} // namespace dispcraft
