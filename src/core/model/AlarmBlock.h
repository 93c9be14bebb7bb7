#pragma once

#include "objects/TextPool.h"
#include "objects/PlcUse.h"

#include <cstdint>
#include <string>

namespace dispcraft {

#pragma pack(push, 1)
// One alarm group: up to 64 messages tied to consecutive PLC bits.
struct AlarmBlock {
    uint32_t startAddress; // device number of the bit of message 0
    uint32_t offsets[64];  // into the group's alarm text pool
    uint8_t lengths[64];
    uint8_t count;   // group 2: non-zero = in use
    uint8_t areaAndBit; // high nibble area index, low nibble bit number
    uint8_t reserved326[2];
    uint32_t options; // bit 0, bit 1: dialog options; bit 2: bits on the COM2 device

    // Bits of options: option 1 shows the newest alarm in the LCD's bottom row; the bits' port.
    static constexpr uint32_t kNewestOnLcd = 0x01;
    static constexpr uint32_t kOption2 = 0x02;
    static constexpr uint32_t kCom2 = 0x04;

    // Message i (0..63) in the group's pool; one that lies outside it is empty, for the dialog,
    // the build and the simulator alike.
    std::string message(const std::string& pool, int i) const {
        return textpool::cut(pool, offsets[i], lengths[i]);
    }

    // The bits of its messages, one after another from the start address.
    PlcUse plcUse() const {
        const int port = (options & kCom2) ? 1 : 0;
        return {port, true, areaAndBit >> 4, startAddress, areaAndBit & 0x0F, count, PlcUse::Access::Read};
    }
};
#pragma pack(pop)
static_assert(sizeof(AlarmBlock) == 332);

} // namespace dispcraft
