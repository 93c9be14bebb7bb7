#pragma once

#include <cstdint>
#include <string>

namespace dispcraft {

// What reading a lamp picture file gave: whether it opened, its length, and its bytes when the
// length is one of the two lamp sizes (512 = 16 x 16 dots, 2048 = 32 x 32 dots).
struct LampFileRead {
    bool opened = false;
    uint64_t length = 0; // 512 or 2048 for a lamp picture, else 0
    std::string bytes;   // filled only for a lamp picture

    bool isLampPicture() const { return opened && (length == 512 || length == 2048); }
};

} // namespace dispcraft
