#pragma once

#include <cstdint>
#include <cstring>

namespace dispcraft {

#pragma pack(push, 1)
// Stored NumDisp (kind 3). Its side record lives in a parallel array of the screen block.
struct NumDispRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;   // bit 3 signed
    uint8_t flags2; // second flag byte
    uint16_t setting1; // format code
    uint8_t reserved10[2];
    int32_t setting4;
    int32_t setting5;
    uint32_t trailingValue; // bits of a single-precision scale factor
    uint32_t previewOffset; // into the global text pool; written, never read back
    uint8_t previewLength;
    uint8_t reserved29[7];
    uint8_t setting2; // number of digits
    uint8_t setting3; // number of decimals
    uint8_t trailing;
    uint8_t reserved39;

    float scale() const {
        float f;
        std::memcpy(&f, &trailingValue, sizeof f);
        return f;
    }
    void setScale(float f) { std::memcpy(&trailingValue, &f, sizeof f); }
};
#pragma pack(pop)
static_assert(sizeof(NumDispRecord) == 40);

} // namespace dispcraft
