#pragma once

#include <string>

namespace dispcraft {

class IniFile;

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
    // digits gives 0), or the default when the key is missing or its value is empty.
    static int getInt(const std::string& path, const std::string& section, const std::string& key,
                      int def);
    // Writes one key, creating the file or the section as needed; the rest of the file is kept.
    static bool writeString(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& value);
    // An optional sign and the leading decimal digits of a text; no digits gives 0.
    static int leadingInt(const std::string& text);

    // The same lookups on a file already parsed, for readers that take many keys of one file
    // (a model section has over a hundred); the rules are those of the calls above.
    static std::string getString(const IniFile& ini, const std::string& section,
                                 const std::string& key, const std::string& def,
                                 size_t bufferSize = 100);
    static int getInt(const IniFile& ini, const std::string& section, const std::string& key,
                      int def);
    // The file's text parsed, or an empty file when it is missing or unreadable.
    static IniFile load(const std::string& path);
    // Cuts a value to fit a buffer of bufferSize bytes (terminator included) without splitting
    // a two-byte GB2312 character.
    static std::string fitBuffer(std::string value, size_t bufferSize);
};

} // namespace dispcraft
