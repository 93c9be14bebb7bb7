#pragma once

#include <cstdint>
#include <string>

namespace dispcraft {

// One place in a simulated PLC: a word of a word area, a bit of a bit area, or one bit of a
// word. Areas are counted as the port's protocol file lists them; the address is the device
// number of the address text.
struct PlcLocation {
    enum class Kind { Word, Bit, WordBit };

    int port = 0; // 0 = COM1, 1 = COM2
    Kind kind = Kind::Word;
    int area = 0;
    uint32_t address = 0;
    int bit = 0; // 0..15 for Bit and WordBit

    bool isBit() const { return kind != Kind::Word; }
    bool operator==(const PlcLocation&) const = default;
};

} // namespace dispcraft
