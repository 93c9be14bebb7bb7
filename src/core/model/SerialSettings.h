#pragma once

#include <cstdint>

namespace dispcraft {

// Line settings of one port as the project keeps them.
struct SerialSettings {
    uint32_t baud = 9600;
    uint8_t dataBits = 8;
    uint8_t stopBits = 1;
    char parity = 'n'; // 'e', 'n' or 'o'

    bool operator==(const SerialSettings&) const = default;
};

} // namespace dispcraft
