#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// Whole-file reads and crash-safe writes. A write goes to a temporary file in the target's
// directory (".<name>.<pid>.XXXXXX"), is flushed to disk and only then renamed over the target,
// so a failed or interrupted write leaves the old file as it was. A writer that is killed
// half-way cannot remove its temporary file; the next successful write of the same target does.
class FileIo {
public:
    static std::optional<std::string> readText(const std::string& path);
    static std::optional<std::vector<uint8_t>> readBytes(const std::string& path);
    static bool exists(const std::string& path);
    static bool isDirectory(const std::string& path);
    // On failure returns false and, when error is given, a short reason (strerror text). A
    // read-only file is refused; a symbolic link is followed and stays in place.
    static bool writeAtomic(const std::string& path, const void* data, size_t size,
                            std::string* error = nullptr);
    static bool writeAtomic(const std::string& path, const std::string& data,
                            std::string* error = nullptr) {
        return writeAtomic(path, data.data(), data.size(), error);
    }
};

} // namespace dispcraft
