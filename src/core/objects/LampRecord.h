#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace dispcraft {

#pragma pack(push, 1)
// Stored Lamp (kind 6): a PLC bit shown by one of the two pictures of a lamp picture file, whose
// dots come from the named file.
struct LampRecord {
    // Attribute bits besides the port (bit 2).
    static constexpr uint8_t kBig = 0x40;          // a 32-dot picture, else 16-dot
    static constexpr uint8_t kOnStateOnTop = 0x80; // the dialog previews the second picture on top

    uint8_t kind;
    uint8_t reserved1;
    uint16_t x;
    uint16_t y;
    uint8_t attr;
    uint8_t reserved7;
    uint16_t address; // of the bit, low 16 bits
    uint8_t reserved10[6];
    uint32_t dotCount;  // provisional only
    uint8_t areaAndBit; // high nibble relay type, low nibble bit number
    char name[19];      // lamp picture name without extension, zero-filled
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
