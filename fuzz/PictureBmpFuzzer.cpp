// Feeds arbitrary bytes to the picture import: no input may read outside the buffer, and every
// accepted one must give a picture of whole bytes and rows of eight that fits the LCD, holding
// only 0 and 1 dots.
#include "forms/BmpPictureImport.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const dispcraft::BmpPictureImport::Result r = dispcraft::BmpPictureImport::fromBytes(bytes);
    if (!r.ok) {
        return 0;
    }
    if (r.width <= 0 || r.width % 8 != 0 || r.width > 192 || r.height <= 0 || r.height % 8 != 0 ||
        r.height > 64 || r.dots.size() != static_cast<size_t>(r.width) * static_cast<size_t>(r.height)) {
        std::abort();
    }
    for (char dot : r.dots) {
        if (dot != 0 && dot != 1) {
            std::abort();
        }
    }
    return 0;
}
