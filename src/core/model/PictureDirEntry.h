#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Where a picture's dots lie in the picture dot pool; exists only in the project file.
struct PictureDirEntry {
    uint32_t offset;
    uint8_t width;
    uint8_t height;
    uint8_t reserved6[6];
};
#pragma pack(pop)
static_assert(sizeof(PictureDirEntry) == 12);

} // namespace dispcraft
