#pragma once

#include "objects/ObjectKinds.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace dispcraft {

#pragma pack(push, 1)
// One slot of the screen directory, written verbatim to the project file.
struct ScreenEntry {
    uint8_t number; // equals the slot index when the screen exists, 0 = free
    char name[11];  // at most 10 characters, NUL-terminated
    uint32_t fileOffset;
    uint8_t textCount;
    uint8_t msgCount;
    uint8_t numCount; // also the number of NumDisp side records
    uint8_t barCount;
    uint8_t trendCount;
    uint8_t lampCount;
    uint8_t pictureCount;
    uint8_t poolLength8; // screen text pool length when below 256, else 0
    uint8_t reserved24[4];
    uint32_t poolLength32; // screen text pool length when 256 or more, else 0

    // The count of a kind's records.
    template <typename K>
    uint8_t& count() {
        const std::array<uint8_t*, ObjectKinds::kCount> counts{
            &textCount, &msgCount, &numCount, &barCount, &trendCount, &lampCount, &pictureCount};
        return *counts[kindIndex<K>];
    }
    template <typename K>
    uint8_t count() const {
        return const_cast<ScreenEntry*>(this)->count<K>();
    }

    std::string nameString() const { return std::string(name, strnlen(name, sizeof name)); }
    // Cuts to 10 characters and terminates.
    void setName(const std::string& s) {
        std::memset(name, 0, sizeof name);
        std::memcpy(name, s.data(), s.size() < 10 ? s.size() : 10);
    }
    // Both length fields follow one rule: byte field below 256, 32-bit field from 256 on.
    void setPoolLength(size_t n) {
        if (n < 256) {
            poolLength8 = static_cast<uint8_t>(n);
            poolLength32 = 0;
        } else {
            poolLength8 = 0;
            poolLength32 = static_cast<uint32_t>(n);
        }
    }
    // The reader's rule: the byte field wins when it is non-zero or the 32-bit field is 0.
    size_t poolLength() const {
        return (poolLength32 == 0 || poolLength8 != 0) ? poolLength8 : poolLength32;
    }
};
#pragma pack(pop)
static_assert(sizeof(ScreenEntry) == 32);

} // namespace dispcraft
