#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dispcraft {

// One completed receive. bytes has exactly the requested length; only the first byteCount bytes
// (less the extra part) were filled by the port, the rest are 0.
struct Reply {
    int tag = 0;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> extra; // the variable second part of a length-indexed read
    int byteCount = 0;
    int errorCause = 0; // 0, or the file-error cause of the failed read or write

    // Byte i as received; a byte that did not arrive is -1 and so never matches.
    int at(size_t i) const {
        return i < bytes.size() && static_cast<int>(i) < byteCount ? bytes[i] : -1;
    }
    // Whether the received bytes start with the given ones.
    bool startsWith(const uint8_t* expected, size_t n) const {
        for (size_t i = 0; i < n; ++i) {
            if (at(i) != expected[i]) {
                return false;
            }
        }
        return true;
    }
};

} // namespace dispcraft
