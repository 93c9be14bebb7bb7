#pragma once

#include "base/Message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// Reads a 1-bit BMP into a picture of the picture table: width rounded up to whole bytes, height
// to a multiple of 8, one byte per dot (0 dark, 1 background), rows from the bottom upwards.
class BmpPictureImport {
public:
    static constexpr int kMaxWidth = 192;
    static constexpr int kMaxHeight = 64;

    struct Result {
        bool ok = false;
        Message message; // the refusal when not ok
        int width = 0;   // stored width: a multiple of 8
        int height = 0;  // stored height: a multiple of 8
        std::string dots;
        int sourceWidth = 0; // the bitmap's own size
        int sourceHeight = 0;
    };

    static Result fromFile(const std::string& path);
    static Result fromBytes(const std::vector<uint8_t>& bytes);
};

} // namespace dispcraft
