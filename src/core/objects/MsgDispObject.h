#pragma once

#include "objects/EditorObject.h"

#include <array>
#include <cstdint>
#include <string>

namespace dispcraft {

// Working MsgDisp: sixteen texts, the one shown chosen by a PLC register.
struct MsgDispObject : EditorObject {
    uint8_t attr = 0; // bit 2 COM2, bit 4 other device type, bit 7 reverse; always font 0
    std::array<std::string, 16> texts;
    int32_t address = 0;    // the register's address number; the store keeps its low 16 bits
    uint8_t areaAndBit = 0; // high nibble device type, low nibble bit number

    bool operator==(const MsgDispObject&) const = default;
};

} // namespace dispcraft
