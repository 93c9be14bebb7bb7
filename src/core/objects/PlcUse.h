#pragma once

#include "objects/AttrBits.h"

#include <cstdint>

namespace dispcraft {

// A PLC address that a record makes the panel read or write: a word of a word area or a bit of
// a bit area of the PLC on one port, by the area's index in the port's protocol file and the
// device number of the address, and how many consecutive devices from there it takes (the two
// words of a 32-bit value, the bits of an alarm group's messages, the words of a data exchange).
struct PlcUse {
    enum class Access { Read, Write, ReadWrite };

    int port = 0;     // 0 = COM1, 1 = COM2
    bool bit = false; // a bit of a bit area, else a word of a word area
    int area = 0;     // index in the port's word or bit areas
    uint32_t address = 0;
    int bitNumber = 0; // of a bit
    int count = 1;
    Access access = Access::Read;

    // What the objects carry: the port in an attribute byte, the area in the high nibble of an
    // area-and-bit byte, the bit number in its low nibble.
    static PlcUse word(uint8_t attr, uint8_t areaAndBit, uint32_t address, int count = 1) {
        return {(attr & attrbits::kCom2) ? 1 : 0,
                false,
                areaAndBit >> 4,
                address,
                0,
                count,
                Access::Read};
    }
    static PlcUse bitOf(uint8_t attr, uint8_t areaAndBit, uint32_t address) {
        return {(attr & attrbits::kCom2) ? 1 : 0,
                true,
                areaAndBit >> 4,
                address,
                areaAndBit & 0x0F,
                1,
                Access::Read};
    }
};

} // namespace dispcraft
