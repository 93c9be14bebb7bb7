#pragma once

#include "objects/PlcUse.h"

#include <cstdint>
#include <optional>

namespace dispcraft {

#pragma pack(push, 1)
// What one panel key does, per screen or project-wide.
struct KeyRecord {
    // The kind byte. A screen's record: 9 when set by the project-wide copy rule, 137 for a key
    // whose project-wide definition was just confirmed. A project-wide record: 0 when every
    // screen takes it, 1 when every screen keeps its own.
    static constexpr uint8_t kProjectWide = 0;
    static constexpr uint8_t kPerScreen = 1;
    static constexpr uint8_t kCopied = 9;
    static constexpr uint8_t kConfirmed = 137;
    // Bits of the flag byte.
    static constexpr uint8_t kCom2 = 0x80;
    static constexpr uint8_t kBitAction = 0x40;
    static constexpr uint8_t kScreenOption = 0x20; // project-wide: every screen keeps its own
    static constexpr uint8_t kDecimalDigits = 0x08;
    static constexpr uint8_t kSigned = 0x04;
    static constexpr uint8_t kMode = 0x03; // the bit mode, or without a bit action one of these:
    static constexpr uint8_t kShowScreen = 0;
    static constexpr uint8_t kWord16 = 1;
    static constexpr uint8_t kWord32 = 2;
    static constexpr uint8_t kFourthAction = 3;
    // A bit or a word action takes its operand from offset 12, a screen action from the screen
    // byte.
    static constexpr uint8_t kOperandActions = kBitAction | kMode;

    uint8_t kind;
    uint8_t byte1; // kept as read; nothing gives it a meaning
    uint8_t flags;
    uint8_t reserved3;
    uint16_t address;   // of the device, low 16 bits
    uint8_t areaAndBit; // high nibble area index, low nibble bit number
    uint8_t screen;     // target of a show-screen action
    uint32_t word8;     // kept as read; nothing gives it a meaning
    uint32_t operand;   // a word action's value, a bit action's whole device number

    bool bitAction() const { return (flags & kBitAction) != 0; }
    // A word action of 16 or 32 bits (not a bit action).
    bool wordAction() const {
        return !bitAction() && ((flags & kMode) == kWord16 || (flags & kMode) == kWord32);
    }
    bool usesOperand() const { return (flags & kOperandActions) != 0; }
    // The key does something: a bit action, another action than showing a screen, or a screen.
    bool hasFunction() const { return (flags & kOperandActions) != 0 || screen != 0; }
    // The bit a bit action acts on, or the word (two of a 32-bit value) a word action writes.
    std::optional<PlcUse> plcUse() const {
        const int port = (flags & kCom2) ? 1 : 0;
        if (bitAction()) {
            return PlcUse{port, true, areaAndBit >> 4, address, areaAndBit & 0x0F, 1, PlcUse::Access::Write};
        }
        if (wordAction()) {
            const int words = (flags & kMode) == kWord32 ? 2 : 1;
            return PlcUse{port, false, areaAndBit >> 4, address, 0, words, PlcUse::Access::Write};
        }
        return std::nullopt;
    }
};
#pragma pack(pop)
static_assert(sizeof(KeyRecord) == 16);

} // namespace dispcraft
