#pragma once

#include "objects/EditorObject.h"

#include <cstdint>
#include <string>

namespace dispcraft {

// Working TextString: a static text.
struct TextStringObject : EditorObject {
    uint8_t attr = 0; // bits 0-1 font index, bit 7 reverse video
    std::string text; // GB2312

    bool operator==(const TextStringObject&) const = default;
};

// What the TextString dialog leaves for placement: only these two fields.
struct TextStringTemplate {
    std::string text;
    uint8_t attr = 0;
};

} // namespace dispcraft
