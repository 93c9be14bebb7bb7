#pragma once

#include "objects/PictureTableEntry.h"

#include <array>

namespace dispcraft {

// The project's dot pictures; entries 1..29 are usable, slot 0 never is.
constexpr int kPictureSlots = 30;
constexpr int kLastPicture = 29;
using PictureTable = std::array<PictureTableEntry, kPictureSlots>;

// Entry number of a table when it is a defined picture, else null.
inline const PictureTableEntry* definedPicture(const PictureTable& table, int number) {
    if (number < 1 || number > kLastPicture ||
        !table[static_cast<size_t>(number)].defined(number)) {
        return nullptr;
    }
    return &table[static_cast<size_t>(number)];
}

} // namespace dispcraft
