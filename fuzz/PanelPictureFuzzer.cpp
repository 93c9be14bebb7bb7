// Feeds arbitrary bytes to the panel picture reader (every uncompressed BMP form, the old core
// header and the longer ones): no input may read outside the buffer, and a picture it accepts
// has the size its header gives, within the limits.
#include "base/BmpHeader.h"
#include "editor/BmpImage.h"

#include <cstdlib>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<RgbImage> image = BmpImage::read(data, size);
    if (!image) {
        return 0;
    }
    const std::optional<BmpHeader> header = BmpHeader::parse(data, size);
    if (!header || image->width() != header->width() || image->height() != header->rows() ||
        image->width() > BmpImage::kMaxSide || image->height() > BmpImage::kMaxSide) {
        std::abort();
    }
    return 0;
}
