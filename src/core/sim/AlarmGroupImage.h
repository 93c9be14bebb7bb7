#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dispcraft {

// An alarm group of the download image (200 bytes): up to 64 messages tied to consecutive PLC
// bits, message i to the bit at the start address + i.
struct AlarmGroupImage {
    static constexpr size_t kSize = 200;
    static constexpr int kMessages = 64;
    // Flag bits.
    static constexpr uint8_t kOption1 = 0x01; // the panel shows the newest alarm on the LCD
    static constexpr uint8_t kOption2 = 0x02;
    static constexpr uint8_t kOnCom2 = 0x04;
    static constexpr uint8_t kSecondGroupFollows = 0x80; // group 1 only

    uint8_t flags = 0;
    uint8_t count = 0;
    uint8_t areaBit = 0; // high nibble bit area, low nibble bit number
    uint16_t startAddress = 0;
    std::array<uint16_t, kMessages> textStarts{}; // in the alarm glyph-index list
    std::array<uint8_t, kMessages> textLengths{}; // bytes

    int port() const { return (flags & kOnCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    int bitNumber() const { return areaBit & 0x0F; }
    int messages() const { return count < kMessages ? count : kMessages; }
    // The glyph indices of message i; `groupEnd` is where the group's texts end in the list.
    std::span<const uint16_t> message(std::span<const uint16_t> list, int i, size_t groupEnd) const;

    void write(ByteWriter& w) const;
    static AlarmGroupImage read(ByteReader& r);
};

} // namespace dispcraft
