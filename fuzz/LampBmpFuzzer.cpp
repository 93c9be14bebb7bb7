// Feeds arbitrary bytes to the BMP conversion at both lamp sizes: no input may read outside the
// buffer, and every accepted one must give a whole picture of 0 and 1 bytes.
#include "lamp/LampConverter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (int lampSize : {16, 32}) {
        auto r = dispcraft::LampConverter::convert(data, size, lampSize);
        if (!r.ok()) {
            continue;
        }
        if (!r.picture.isValid() || r.picture.size != lampSize) {
            std::abort();
        }
        for (uint8_t dot : r.picture.dots) {
            if (dot > 1) {
                std::abort();
            }
        }
    }
    return 0;
}
