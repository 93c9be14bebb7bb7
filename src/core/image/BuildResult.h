#pragma once

#include "base/Message.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// What a build hands back. The build never shows anything: the caller shows or prints the
// messages and decides what to do with the image.
struct BuildResult {
    enum class Outcome {
        Stopped,            // failure says why; there is no image
        Complete,           // the image is complete and its start screen exists
        StartScreenMissing, // the image is complete but its start screen does not exist (61571)
    };
    Outcome outcome = Outcome::Stopped;

    // The whole file: for CPU_ID 1 the 4096 driver bytes come first. Empty when stopped.
    std::vector<uint8_t> image;
    // Why the build stopped, and the file or object concerned when there is one (for logs and
    // the command line; the message itself stands alone).
    Message failure;
    std::string detail;
    // Along the way, in order: fonts skipped, characters without a glyph, the image size warning
    // (61569 / 61570). None of them stops the build.
    std::vector<Message> warnings;
    // 61571 with the start screen number when the outcome is StartScreenMissing.
    Message startScreenMessage;

    bool stopped() const { return outcome == Outcome::Stopped; }
};

} // namespace dispcraft
