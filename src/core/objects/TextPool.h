#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

namespace dispcraft {

// Texts of stored records live in a pool and are referred to by offset and length.
namespace textpool {

// Whether a reference lies inside a pool of poolSize bytes. An empty text refers to nothing,
// wherever its offset points.
inline bool inside(uint32_t offset, uint32_t length, size_t poolSize) {
    return length == 0 || uint64_t(offset) + length <= poolSize;
}

// A text cut from a pool. A reference that does not lie wholly inside it is taken as empty by
// every reader (editor, build, dialogs), never as the part that happens to be there.
inline std::string cut(const std::string& pool, uint32_t offset, uint32_t length) {
    if (length == 0 || !inside(offset, length, pool.size())) {
        return {};
    }
    return pool.substr(offset, length);
}

// A text appended to a pool, cut to what a length byte can say; returns that length.
inline uint8_t append(std::string& pool, const std::string& text) {
    size_t n = std::min<size_t>(text.size(), 255);
    pool.append(text, 0, n);
    return static_cast<uint8_t>(n);
}

} // namespace textpool

} // namespace dispcraft
