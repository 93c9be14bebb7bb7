#include "report/CsvTable.h"

namespace dispcraft {

std::string CsvTable::field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string CsvTable::record(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        out += (i ? "," : "") + field(fields[i]);
    }
    return out + "\r\n";
}

CsvTable::Parsed CsvTable::parse(std::string_view text) {
    Parsed out;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        // A line with nothing on it is no record.
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += text[i] == '\r' ? 2 : 1;
            ++line;
            continue;
        }
        Record r;
        r.line = line;
        std::string f;
        bool quoted = false;
        int quoteLine = 0;
        for (;;) {
            if (i >= text.size()) {
                if (quoted) {
                    out.unclosedLine = quoteLine;
                    return out;
                }
                r.fields.push_back(std::move(f));
                break;
            }
            const char c = text[i];
            if (quoted) {
                if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    f += '"';
                    i += 2;
                } else if (c == '"') {
                    quoted = false;
                    ++i;
                } else {
                    line += c == '\n' ? 1 : 0;
                    f += c;
                    ++i;
                }
            } else if (c == '"' && f.empty()) {
                quoted = true;
                quoteLine = line;
                ++i;
            } else if (c == ',') {
                r.fields.push_back(std::move(f));
                f.clear();
                ++i;
            } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                r.fields.push_back(std::move(f));
                i += c == '\r' ? 2 : 1;
                ++line;
                break;
            } else {
                f += c;
                ++i;
            }
        }
        out.records.push_back(std::move(r));
    }
    return out;
}

} // namespace dispcraft
