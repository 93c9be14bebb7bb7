#pragma once

#include "objects/KeyRecord.h"
#include "objects/OldKeyRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace dispcraft {

// The keys of a screen: 25 panel keys (6 of them also in the older 12-byte form) and the
// target screens of the 4 function keys.
constexpr int kPanelKeys = 25;
constexpr int kOldKeys = 6;
constexpr int kFunctionKeys = 4;

// Target screens of function keys 1..4, 0 = none; keys 3 and 4 fall back to the neighbouring
// screens in the image.
using FunctionKeyTargets = std::array<uint8_t, kFunctionKeys>;

namespace panelkeys {

// A project-wide key record that is not defined (byte 0 is 0) replaces the screen's record of the
// same index, which is then marked 9. Works on KeyRecord and OldKeyRecord arrays alike.
template <typename Key, size_t N>
void applyGlobalKeyCopy(const std::array<Key, N>& global, std::array<Key, N>& screen) {
    for (size_t k = 0; k < N; ++k) {
        if (global[k].kind == KeyRecord::kProjectWide) {
            screen[k] = global[k];
            screen[k].kind = KeyRecord::kCopied;
        }
    }
}

// Copies bytes 0, 1, 2, 6, 7 and the word at 4 between the two key record forms; the other
// bytes of the target stay as they are.
inline void copyKeyFields(const KeyRecord& from, OldKeyRecord& to) {
    to.kind = from.kind;
    to.byte1 = from.byte1;
    to.flags = from.flags;
    to.address = from.address;
    to.areaAndBit = from.areaAndBit;
    to.screen = from.screen;
}

inline void copyKeyFields(const OldKeyRecord& from, KeyRecord& to) {
    to.kind = from.kind;
    to.byte1 = from.byte1;
    to.flags = from.flags;
    to.address = from.address;
    to.areaAndBit = from.areaAndBit;
    to.screen = from.screen;
}

} // namespace panelkeys

} // namespace dispcraft
