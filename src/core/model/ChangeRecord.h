#pragma once

#include "objects/PlcUse.h"

#include <array>
#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// One data exchange between the devices on COM1 and COM2.
struct ChangeRecord {
    uint8_t byte0;
    uint8_t length; // at most the effective maximum record length
    uint8_t byte2;
    uint8_t byte3;
    uint16_t word4;
    uint16_t word6;

    static constexpr uint8_t kFromCom2 = 0x80; // in byte 0: the copy goes COM2 -> COM1

    // Its block of words on the COM1 PLC and on the COM2 PLC. Each byte of the areas holds the
    // bit number in its high nibble and the area in its low one.
    std::array<PlcUse, 2> plcUses() const {
        return {PlcUse{0, false, byte2 & 0x0F, word4, 0, length, PlcUse::Access::ReadWrite},
                PlcUse{1, false, byte3 & 0x0F, word6, 0, length, PlcUse::Access::ReadWrite}};
    }
};
#pragma pack(pop)
static_assert(sizeof(ChangeRecord) == 8);

} // namespace dispcraft
