#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// A lamp in a screen's record stream (8 bytes): one of the two pictures of its lamp picture,
// chosen by a PLC bit.
struct LampImageRecord {
    static constexpr uint8_t kKind = 6;
    static constexpr size_t kSize = 8;
    static constexpr int kCapacity = 48;
    static constexpr uint8_t kCom2 = 0x04;
    static constexpr uint8_t kBig = 0x40;          // 32 x 32 dots, else 16 x 16
    static constexpr uint8_t kSecondFirst = 0x80;  // the picture order flag
    using State = NoLiveState;

    uint8_t kind = kKind;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t attributes = 0;
    uint16_t address = 0; // device number of the bit
    uint8_t lampNumber = 0;
    uint8_t areaBit = 0; // high nibble bit area, low nibble bit number

    int size() const { return (attributes & kBig) ? 32 : 16; }
    int port() const { return (attributes & kCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    int bitNumber() const { return areaBit & 0x0F; }
    // Which of the two pictures shows for a bit: the first while it is 0, the second while it
    // is 1, the other way round with the picture order flag.
    bool secondPicture(bool bit) const { return bit != ((attributes & kSecondFirst) != 0); }

    void write(ByteWriter& w) const;
    static LampImageRecord read(ByteReader& r);
    // The chosen picture; its top row lies one dot below the lamp's place, where the screen
    // editor draws it.
    void draw(const LiveDrawing& d, const State&) const;
};

} // namespace dispcraft
