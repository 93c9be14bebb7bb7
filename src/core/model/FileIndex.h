#pragma once

#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// Offsets and lengths of the variable parts of a project file. Readers use only the lengths.
struct FileIndex {
    uint32_t screenRecordsOffset; // 0: always 6904
    uint32_t alarm1Offset;        // 4
    uint32_t scratchOffset;       // 8
    uint32_t scratchLength;       // 12
    uint32_t globalPoolOffset;    // 16
    uint32_t globalPoolLength;    // 20
    uint32_t globalOldKeysOffset; // 24
    uint32_t pictureDotsOffset;   // 28
    uint32_t pictureDotsLength;   // 32
    uint32_t alarmPool1Length;    // 36
    uint32_t screenPoolsLength;   // 40: where alarm pool 1 starts inside the global pool
    uint32_t alarmPool2Length;    // 44: 0 before format 51
};
#pragma pack(pop)
static_assert(sizeof(FileIndex) == 48);

} // namespace dispcraft
