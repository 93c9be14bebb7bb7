#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// The first 20 bytes of a project file.
struct FileHeader {
    char magic[4];   // "DAVO"
    uint16_t format; // 51 when written
    int16_t modelCode; // character after "TR - " in the model title, sign-extended
    uint8_t reserved8[12];
};
#pragma pack(pop)
static_assert(sizeof(FileHeader) == 20);

} // namespace dispcraft
