#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace dispcraft {

#pragma pack(push, 1)
// Stored Lamp (kind 6). The dots come from the named lamp picture file.
struct LampRecord {
    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr; // bit 6 = 32-dot picture, else 16-dot
    uint8_t reserved7;
    uint16_t value;
    uint8_t reserved10[6];
    uint32_t dotCount; // provisional only
    uint8_t flags2;
    char name[19]; // lamp picture name without extension, zero-filled
    uint8_t reserved40[8];

    std::string nameString() const { return std::string(name, strnlen(name, sizeof name)); }
    void setName(const std::string& s) {
        std::memset(name, 0, sizeof name);
        std::memcpy(name, s.data(), s.size() < sizeof name ? s.size() : sizeof name);
    }
};
#pragma pack(pop)
static_assert(sizeof(LampRecord) == 48);

} // namespace dispcraft
