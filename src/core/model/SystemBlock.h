#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Project-wide panel settings that go to the image verbatim. It carries the bit-to-screen table
// of the panel control settings: a count byte followed by 32 screen numbers.
struct SystemBlock {
    uint8_t bitScreenCount;
    uint8_t bitScreens[32];
    uint8_t reserved33[3];
};
#pragma pack(pop)
static_assert(sizeof(SystemBlock) == 36);

} // namespace dispcraft
