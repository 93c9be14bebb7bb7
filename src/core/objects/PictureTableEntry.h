#pragma once

#include <cstdint>
#include <string>

namespace dispcraft {

// A dot picture of the project: width x height characters row by row, 0 = dark dot.
struct PictureTableEntry {
    uint8_t id = 0; // equals its number when defined, else 0
    uint8_t width = 0;
    uint8_t height = 0;
    uint8_t spare = 0;
    std::string dots;

    bool defined(int number) const { return number != 0 && id == number; }
};

} // namespace dispcraft
