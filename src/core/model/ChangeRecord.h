#pragma once

#include "objects/PlcUse.h"

#include <array>
#include <cstdint>

namespace dispcraft {

#pragma pack(push, 1)
// One data exchange between a block of words on the COM1 PLC and one on the COM2 PLC.
struct ChangeRecord {
    static constexpr uint8_t kFromCom2 = 0x80; // the only bit of the option byte: the copy goes COM2 -> COM1

    uint8_t options;
    uint8_t length; // words; at most the effective maximum record length
    // Each end's bit number (high nibble) and area index (low nibble), the other way round from
    // the objects' area-and-bit bytes.
    uint8_t firstBitAndArea;
    uint8_t secondBitAndArea;
    uint16_t firstAddress;
    uint16_t secondAddress;

    static uint8_t bitAndArea(int bit, int area) {
        return static_cast<uint8_t>(((bit & 0x0F) << 4) | (area & 0x0F));
    }
    static int bitOf(uint8_t bitAndArea) { return bitAndArea >> 4; }
    static int areaOf(uint8_t bitAndArea) { return bitAndArea & 0x0F; }

    // Its block of words on the COM1 PLC and on the COM2 PLC.
    std::array<PlcUse, 2> plcUses() const {
        return {PlcUse{0, false, areaOf(firstBitAndArea), firstAddress, 0, length, PlcUse::Access::ReadWrite},
                PlcUse{1, false, areaOf(secondBitAndArea), secondAddress, 0, length, PlcUse::Access::ReadWrite}};
    }
};
#pragma pack(pop)
static_assert(sizeof(ChangeRecord) == 8);

} // namespace dispcraft
