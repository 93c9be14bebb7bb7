#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace dispcraft {

// Bit 7 of a working record's kind word: the object is selected.
constexpr uint32_t kSelectedBit = 0x80;
constexpr uint32_t kKindMask = 0x7F;

// Common head of every working record. A slot is in use when the low 7 bits of kindWord equal its
// list's kind; bit 7 marks it selected; 0 marks a free slot. MsgDisp and NumDisp only look at the
// low byte. Coordinates are view pixels.
struct EditorObject {
    // Room for the largest stored record (a MsgDisp's 96 bytes).
    static constexpr size_t kStoredRecordRoom = 96;

    uint32_t kindWord = 0;
    int32_t x = 0;
    int32_t y = 0;
    // The stored record the object was opened from; none for an object placed or pasted. Storing
    // starts from it, so that the bytes the editor has no field for stay as the file had them.
    std::array<uint8_t, kStoredRecordRoom> storedRecord{};
    uint8_t storedRecordSize = 0;

    bool occupies(int kind) const { return (kindWord & kKindMask) == static_cast<uint32_t>(kind); }
    bool selected() const { return (kindWord & kSelectedBit) != 0; }
    bool isSelectedAs(int kind) const {
        return kindWord == static_cast<uint32_t>(kind) + kSelectedBit;
    }
    void select(bool on) {
        if (on) {
            kindWord |= kSelectedBit;
        } else {
            kindWord &= ~kSelectedBit;
        }
    }
    bool operator==(const EditorObject&) const = default;
};

} // namespace dispcraft
