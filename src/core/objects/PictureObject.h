#pragma once

#include "objects/EditorObject.h"

#include <cstdint>

namespace dispcraft {

// Working Picture object.
struct PictureObject : EditorObject {
    uint8_t pictureNo = 0; // 1..29, an entry of the picture table

    bool operator==(const PictureObject&) const = default;
};

} // namespace dispcraft
