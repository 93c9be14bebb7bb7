#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Picture object in the clipboard block.
struct PictureExchange {
    uint32_t kindWord;
    int32_t x;
    int32_t y;
    uint8_t pictureNo;
    uint8_t reserved13[3];
};
#pragma pack(pop)
static_assert(sizeof(PictureExchange) == 16);

} // namespace dispcraft
