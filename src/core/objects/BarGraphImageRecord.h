#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"
#include "objects/WordCoding.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// A bar graph in a screen's record stream (14 bytes): a bar filled in proportion to a PLC word
// between its minimum and maximum.
struct BarGraphImageRecord {
    static constexpr uint8_t kKind = 4;
    static constexpr size_t kSize = 14;
    static constexpr int kCapacity = 48;
    static constexpr uint8_t kCom2 = 0x04;
    // Directions, the attribute's low two bits: where the bar grows to.
    enum Direction { kUpward, kLeftward, kDownward, kRightward };
    using State = NoLiveState;

    uint8_t kind = kKind;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t attributes = 0; // bits 0-1 direction, bit 2 COM2, bits 6-7 coding
    uint16_t address = 0;
    int16_t maximum = 0; // read as unsigned under unsigned coding
    int16_t minimum = 0;
    uint8_t length = 0;    // dots along the bar
    uint8_t thickness = 0; // dots across
    uint8_t areaBit = 0;

    Direction direction() const { return static_cast<Direction>(attributes & 0x03); }
    bool horizontal() const { return (attributes & 0x01) != 0; }
    int port() const { return (attributes & kCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    // Bit 6 alone is BCD, bit 7 (with or without bit 6) signed, neither unsigned.
    WordCoding coding() const;
    // Maximum and minimum as numbers of the coding.
    int64_t top() const;
    int64_t bottom() const;
    // Dots of `span` that a value fills: none at the minimum, all at the maximum.
    int filled(std::optional<int64_t> value, int span) const;

    void write(ByteWriter& w) const;
    static BarGraphImageRecord read(ByteReader& r);
    // The frame with its scale and the bar grown from its start by the value.
    void draw(const LiveDrawing& d, const State&) const;
};

} // namespace dispcraft
