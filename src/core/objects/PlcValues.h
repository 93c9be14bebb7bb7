#pragma once

#include <cstdint>

namespace dispcraft {

// What an object reads of the PLCs it shows: a word of a word area or a bit of a bit area of
// the PLC on one port (0 = COM1, 1 = COM2), by the area's index in the port's protocol file and
// the device number of the address. Whatever is not there reads as 0.
class PlcValues {
public:
    virtual ~PlcValues() = default;
    virtual uint16_t word(int port, int area, uint32_t address) const = 0;
    virtual bool bit(int port, int area, uint32_t address, int bitNumber) const = 0;
};

} // namespace dispcraft
