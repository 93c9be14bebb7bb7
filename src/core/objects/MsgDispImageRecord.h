#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace dispcraft {

// A message display in a screen's record stream (56 bytes): up to 16 messages, of which the
// panel shows the one a PLC word selects. The messages' glyph indices follow one another in the
// screen's glyph-index list, the last one ended by a 0.
struct MsgDispImageRecord {
    static constexpr uint8_t kKind = 2;
    static constexpr size_t kSize = 56;
    static constexpr int kCapacity = 96;
    static constexpr int kMessages = 16;
    static constexpr uint8_t kCom2 = 0x04;
    static constexpr uint8_t kReverse = 0x80;
    using State = NoLiveState;

    uint8_t kind = kKind;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t attributes = 0; // bit 2 COM2, bit 4 an area other than the first, bit 7 reverse
    uint16_t address = 0;   // device number of the word that selects the message
    std::array<uint16_t, kMessages> textStarts{};
    std::array<uint8_t, kMessages> textLengths{}; // bytes
    uint8_t longestLength = 0;                    // bytes; the field the panel keeps for them
    uint8_t areaBit = 0;                          // high nibble word area, low nibble bit number

    int port() const { return (attributes & kCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    bool reverse() const { return (attributes & kReverse) != 0; }
    // The glyph indices of message i.
    std::span<const uint16_t> message(std::span<const uint16_t> list, int i) const;

    void write(ByteWriter& w) const;
    static MsgDispImageRecord read(ByteReader& r);
    // The message the word selects over a field as wide as the longest one; a word of 16 or
    // more leaves the field blank.
    void draw(const LiveDrawing& d, const State&) const;
};

} // namespace dispcraft
