#pragma once

#include "objects/WordCoding.h"

#include <cstdint>

namespace dispcraft {

// What a panel key does, as its flag byte and operand say: show a screen, act on a PLC bit,
// write a 16-bit or 32-bit word, or the fourth action.
struct KeyFunction {
    static constexpr uint8_t kCom2 = 0x80;
    static constexpr uint8_t kBitAction = 0x40;
    static constexpr uint8_t kScreenOption = 0x20;
    static constexpr uint8_t kDecimalDigits = 0x08;
    static constexpr uint8_t kSigned = 0x04;
    static constexpr uint8_t kModeBits = 0x03;

    enum class Action { ShowScreen, Bit, Word16, Word32, Fourth };
    // Bit modes of a bit action.
    enum BitMode { kSet, kReset, kInvert, kMomentary };

    uint8_t flags = 0;
    uint16_t address = 0;
    uint8_t areaBit = 0;   // high nibble area, low nibble bit number
    uint32_t operand = 0;  // the screen, or the value of a word action
    bool hasValue = true;  // the old records carry no value for a word action

    Action action() const {
        if (flags & kBitAction) {
            return Action::Bit;
        }
        switch (flags & kModeBits) {
        case 1: return Action::Word16;
        case 2: return Action::Word32;
        case 3: return Action::Fourth;
        default: return Action::ShowScreen;
        }
    }
    BitMode bitMode() const { return static_cast<BitMode>(flags & kModeBits); }
    int port() const { return (flags & kCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    int bitNumber() const { return areaBit & 0x0F; }
    int screen() const { return static_cast<int>(operand & 0xFF); }
    // The value's coding: decimal digits are BCD.
    WordCoding coding() const {
        const WordCoding::Kind kind = (flags & kDecimalDigits) ? WordCoding::Kind::Bcd
                                      : (flags & kSigned)      ? WordCoding::Kind::Signed
                                                               : WordCoding::Kind::Unsigned;
        return WordCoding(kind, action() == Action::Word32);
    }
    int64_t value() const {
        return coding().kind() == WordCoding::Kind::Signed ? static_cast<int64_t>(static_cast<int32_t>(operand))
                                                           : static_cast<int64_t>(operand);
    }
};

} // namespace dispcraft
