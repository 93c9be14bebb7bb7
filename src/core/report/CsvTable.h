#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dispcraft {

// Comma-separated values as RFC 4180 has them: records end in CR LF, a field holding a comma,
// a double quote or a line break is enclosed in double quotes, and a double quote inside is
// doubled. Reading also takes records ending in a bare LF (as many editors save them), skips a
// UTF-8 byte order mark and lines without any character, and keeps text that follows a closing
// quote as it stands.
class CsvTable {
public:
    struct Record {
        int line = 0; // where it starts, 1-based
        std::vector<std::string> fields;
    };
    struct Parsed {
        std::vector<Record> records;
        int unclosedLine = 0; // the line of a quoted field that never ends, else 0
    };

    static std::string field(std::string_view text);
    // The fields, joined and quoted where needed, ending in CR LF.
    static std::string record(const std::vector<std::string>& fields);
    static Parsed parse(std::string_view text);
};

} // namespace dispcraft
