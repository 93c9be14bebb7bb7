#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dispcraft {

// The text of a private-profile file with the lookup and update rules of the Windows profile
// functions: section and key names compare case-insensitively, values are trimmed and lose one
// pair of enclosing quotes, the first matching key wins, and an update touches only its own
// line so the rest of the file stays byte for byte as it was. Bytes above 127 (GB2312 texts)
// pass through untouched. CRLF and LF files are both read; writes keep the file's line ending.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    // The value of a key, or nothing when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    bool hasSection(std::string_view section) const;
    // Names of the keys of a section in file order.
    std::vector<std::string> keys(std::string_view section) const;

    // Sets a key: replaces its line, or appends it to its section, or appends the section.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    void removeKey(std::string_view section, std::string_view key);

    std::string text() const;

private:
    struct Line {
        std::string raw; // without its line ending
    };
    // Index of the first header line of the section at or after line `from`, or -1.
    int findSection(std::string_view section, int from = 0) const;
    // Index of the key's line in the first section of that name that has it, or -1. Sections
    // that differ only in case ("station" and "Station" of a protocol file) are one section
    // to the profile rules, so a key is looked for in each of them in turn.
    int findKeyLine(std::string_view section, std::string_view key) const;
    // Finds the section headers and the first line of every key again (after each change).
    void indexLines();
    int sectionEnd(int h) const; // index of the next section header, or the line count

    std::vector<Line> m_lines;
    std::vector<int> m_headers; // indices of the section header lines
    // "section\nkey", both folded as the profile rules compare them, to the first line of that
    // key: a model section reads a hundred keys, which must not scan the file each time.
    std::unordered_map<std::string, int> m_firstKeyLine;
    std::string m_eol = "\r\n";
    bool m_finalEol = true;
};

} // namespace dispcraft
