#pragma once

#include "objects/EditorObject.h"
#include "objects/LampRecord.h"

#include <cstdint>
#include <string>

namespace dispcraft {

// Working Lamp. The stored record's names and bits apply (LampRecord).
struct LampObject : EditorObject {
    uint8_t attr = 0;
    uint8_t areaAndBit = 0;
    int32_t address = 0;
    std::string name;        // lamp file name without directory and extension
    int32_t secondValue = 0; // carried through the clipboard, set by nothing
    int32_t dotCount = 0;    // 512 or 2048 once the dots are loaded
    std::string dots;        // one byte per dot, each row holding both lamp states; 0 = dark

    bool big() const { return (attr & LampRecord::kBig) != 0; }

    bool operator==(const LampObject&) const = default;
};

} // namespace dispcraft
