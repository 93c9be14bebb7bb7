#pragma once

#include "lamp/LampPicture.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace dispcraft {

// Reading and writing .lmp files: raw dot bytes, no header. The length alone tells the size:
// exactly 512 bytes is a 16-dot lamp, exactly 2048 bytes a 32-dot lamp, anything else is not a
// lamp picture.
class LampFile {
public:
    enum class ReadStatus { Ok, NotALampPicture, CannotOpen };

    struct ReadResult {
        ReadStatus status = ReadStatus::CannotOpen;
        LampPicture picture; // valid only when status is Ok
        bool ok() const { return status == ReadStatus::Ok; }
    };

    static ReadResult read(const std::string& path);

    // The length rule applied to bytes already in memory.
    static std::optional<LampPicture> fromBytes(const uint8_t* data, size_t length);

    // Size 16 or 32 for a file length, 0 for any other length.
    static int sizeForLength(size_t length);

    // Replaces the file with exactly the picture's 2 x size x size bytes. The bytes go to a
    // temporary file beside the target that is renamed over it, so a failed write leaves an old
    // file whole. An existing target that may not be written is refused, not replaced.
    // On failure returns false and, when error is given, the system's reason.
    static bool write(const std::string& path, const LampPicture& picture,
                      std::string* error = nullptr);

    // The user's message (UTF-8, Chinese) for a target that could not be written; the reason
    // from write() is appended when not empty.
    static std::string writeFailureMessage(const std::string& path, const std::string& reason);
};

} // namespace dispcraft
