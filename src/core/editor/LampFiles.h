#pragma once

#include "objects/LampFileRead.h"

#include <string>

namespace dispcraft {

class ProgramDirectory;

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
