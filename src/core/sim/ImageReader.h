#pragma once

#include "base/Message.h"
#include "sim/PanelImage.h"

#include <cstdint>
#include <memory>
#include <span>

namespace dispcraft {

// Decodes a download image as the panel reads it. Every offset and count is checked against
// the file before it is followed, so a damaged image is refused with a message and never read
// past its end.
class ImageReader {
public:
    // Where the header is: after the 4096 bytes of the COM1 link driver (one-port models), at
    // the start (the others), or wherever a format 51 header with consistent blocks is found
    // (the start first).
    enum class Layout { Detect, DriverInFront, HeaderFirst };

    struct Result {
        std::shared_ptr<const PanelImage> image;
        Message error; // when there is no image
        bool ok() const { return image != nullptr; }
    };

    static Result read(std::span<const uint8_t> file, Layout layout = Layout::Detect);
};

} // namespace dispcraft
