#pragma once

#include <string>

namespace dispcraft {

// The three profile calls the program uses, on a file path. Every call reads the file anew, as
// the profile functions do; a missing file reads like an empty one.
class PrivateProfile {
public:
    // The value, or the default when the section, the key or the file is missing, cut to
    // bufferSize - 1 bytes (bufferSize counts the terminator, as a caller's buffer would).
    static std::string getString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& def,
                                 size_t bufferSize = 100);
    // The value read as an integer (optional sign, decimal digits or 0x and hex digits; no
    // digits gives 0), or the default when the key is missing.
    static int getInt(const std::string& path, const std::string& section, const std::string& key,
                      int def);
    // Writes one key, creating the file or the section as needed; the rest of the file is kept.
    static bool writeString(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& value);
    // An optional sign and the leading decimal digits of a text; no digits gives 0.
    static int leadingInt(const std::string& text);
};

} // namespace dispcraft
