#include "objects/WordCoding.h"

namespace dispcraft {

uint32_t WordCoding::read(const PlcValues& plc, int port, int area, uint32_t address) const {
    uint32_t raw = plc.word(port, area, address);
    if (m_twoWords) {
        raw |= static_cast<uint32_t>(plc.word(port, area, address + 1)) << 16;
    }
    return raw;
}

std::optional<int64_t> WordCoding::decode(uint32_t raw) const {
    const int bits = m_twoWords ? 32 : 16;
    switch (m_kind) {
    case Kind::Unsigned:
        return m_twoWords ? static_cast<int64_t>(raw) : static_cast<int64_t>(raw & 0xFFFF);
    case Kind::Signed:
        return m_twoWords ? static_cast<int64_t>(static_cast<int32_t>(raw))
                          : static_cast<int64_t>(static_cast<int16_t>(raw & 0xFFFF));
    case Kind::Bcd: {
        int64_t v = 0;
        for (int shift = bits - 4; shift >= 0; shift -= 4) {
            const uint32_t digit = (raw >> shift) & 0xF;
            if (digit > 9) {
                return std::nullopt;
            }
            v = v * 10 + digit;
        }
        return v;
    }
    }
    return std::nullopt;
}

uint32_t WordCoding::encode(int64_t value) const {
    const uint32_t mask = m_twoWords ? 0xFFFFFFFFu : 0xFFFFu;
    if (m_kind != Kind::Bcd) {
        return static_cast<uint32_t>(value) & mask;
    }
    uint64_t magnitude = value < 0 ? static_cast<uint64_t>(-value) : static_cast<uint64_t>(value);
    uint32_t raw = 0;
    const int digits = m_twoWords ? 8 : 4;
    for (int i = 0; i < digits; ++i) {
        raw |= static_cast<uint32_t>(magnitude % 10) << (4 * i);
        magnitude /= 10;
    }
    return raw;
}

} // namespace dispcraft
