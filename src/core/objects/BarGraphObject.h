#pragma once

#include "objects/BarGraphRecord.h"
#include "objects/EditorObject.h"

#include <cstdint>

namespace dispcraft {

// Working BarGraph. The stored record's names and bits apply (BarGraphRecord).
struct BarGraphObject : EditorObject {
    uint8_t attr = 0;
    int32_t address = 0;
    int32_t maximum = 0;
    int32_t minimum = 0;
    int32_t length = 0;    // dots
    int32_t thickness = 0; // dots
    uint8_t areaAndBit = 0;

    bool horizontal() const { return (attr & BarGraphRecord::kHorizontal) != 0; }

    bool operator==(const BarGraphObject&) const = default;
};

} // namespace dispcraft
