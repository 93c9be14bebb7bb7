#pragma once

#include "objects/PlcValues.h"

#include <cstdint>
#include <optional>

namespace dispcraft {

// How a number sits in PLC words: BCD (one decimal digit per 4 bits), unsigned or signed (two's
// complement), in one word or in two (the low word at the address, the high word at the next).
class WordCoding {
public:
    enum class Kind { Unsigned, Bcd, Signed };

    WordCoding(Kind kind, bool twoWords) : m_kind(kind), m_twoWords(twoWords) {}

    Kind kind() const { return m_kind; }
    bool twoWords() const { return m_twoWords; }

    // The raw bits at an address (16 or 32 of them).
    uint32_t read(const PlcValues& plc, int port, int area, uint32_t address) const;
    // The number the raw bits stand for; none for BCD with a nibble above 9.
    std::optional<int64_t> decode(uint32_t raw) const;
    // The raw bits of a number (BCD of its magnitude, truncated to the width).
    uint32_t encode(int64_t value) const;

private:
    Kind m_kind;
    bool m_twoWords;
};

} // namespace dispcraft
