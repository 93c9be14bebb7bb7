#pragma once

#include <cstdint>
#include <string>

namespace dispcraft {

class ProgramDirectory;

// What reading a lamp picture file gave: whether it opened, its length, and its bytes when the
// length is one of the two lamp sizes (512 = 16 x 16 dots, 2048 = 32 x 32 dots).
struct LampFileRead {
    bool opened = false;
    uint64_t length = 0; // 512 or 2048 for a lamp picture, else 0
    std::string bytes;   // filled only for a lamp picture

    bool isLampPicture() const { return opened && (length == 512 || length == 2048); }
};

// Lamp picture files in "lampdata" beside the program, found by name.
class LampFiles {
public:
    // A name that could leave "lampdata" (a path separator or "..") is never opened.
    static bool safeName(const std::string& name);
    static std::string path(const ProgramDirectory& dir, const std::string& name);
    // Reads the file of a lamp name; an unsafe name reads as a file that does not open.
    static LampFileRead read(const ProgramDirectory& dir, const std::string& name);
    static LampFileRead readFile(const std::string& path);

    static constexpr const char* kDefault16 = "lamp01_16x16";
    static constexpr const char* kDefault32 = "lamp20_32x32";
};

} // namespace dispcraft
