#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Stored Picture object (kind 7): shows an entry of the picture table.
struct PictureObjectRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t width;     // dots, of the entry when stored
    uint8_t height;    // dots
    uint8_t pictureNo; // 1..29
    uint8_t reserved9[7];
};
#pragma pack(pop)
static_assert(sizeof(PictureObjectRecord) == 16);

} // namespace dispcraft
