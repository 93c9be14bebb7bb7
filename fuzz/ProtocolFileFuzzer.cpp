// Feeds arbitrary bytes to the protocol file reader as the text of a protocol's INI file: every
// value the program takes from it must be read without reading outside the text, its texts come
// through the 100-byte buffers of the profile calls, and every key of the text is found where a
// plain reading of the profile rules finds it.
#include "config/IniFile.h"
#include "config/ProtocolFile.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string_view>

using namespace dispcraft;

namespace {

std::string_view trim(std::string_view s) {
    const char* blank = " \t\r\n\f\v";
    const size_t a = s.find_first_not_of(blank);
    if (a == std::string_view::npos) {
        return {};
    }
    return s.substr(a, s.find_last_not_of(blank) - a + 1);
}

bool same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x < 128 && y < 128 ? std::tolower(x) != std::tolower(y) : x != y) {
            return false;
        }
    }
    return true;
}

// The line of the first key of that name in a section of that name, by reading the text from
// the top: the rules IniFile follows, written out plainly.
std::optional<std::string_view> firstLine(std::string_view text, std::string_view section,
                                          std::string_view key) {
    std::optional<std::string_view> current;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        std::string_view t = line;
        if (t.substr(0, 3) == "\xEF\xBB\xBF") {
            t.remove_prefix(3);
        }
        t = trim(t);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            current = trim(t.substr(1, t.find(']') - 1));
            continue;
        }
        // A byte order mark is taken off header lines only: before a key it hides a comment.
        const std::string_view whole = trim(line);
        const size_t eq = line.find('=');
        if (current && same(*current, section) && !whole.empty() && whole.front() != ';' &&
            whole.front() != '#' && eq != std::string_view::npos &&
            same(trim(line.substr(0, eq)), key)) {
            return line;
        }
    }
    return std::nullopt;
}

// The value of a key line: trimmed, one pair of enclosing quotes taken off.
std::string valueOf(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    std::string_view v = trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IniFile ini(text);
    const ProtocolFile file{ini};
    for (const std::string& t : {file.baudText(), file.dataBitsText(), file.stopBitsText(),
                                 file.parityText(), file.linkName(), file.stationText()}) {
        if (t.size() > 99) {
            std::abort();
        }
    }
    (void)file.plcId();
    (void)file.wordAreas();
    (void)file.bitAreas();
    (void)file.defaultStation();
    (void)file.maxStation();
    (void)file.minStation();
    (void)file.changePerLen();
    (void)file.changeMaxNum();
    (void)file.portProtocol();

    // Each key of the text (in its section) is found, or not, as a plain reading finds it.
    std::string_view rest = text, section;
    for (int n = 0; n < 64 && !rest.empty(); ++n) {
        const size_t nl = rest.find('\n');
        std::string_view line = rest.substr(0, nl);
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        const std::string_view t = trim(line);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            section = trim(t.substr(1, t.find(']') - 1));
        } else if (const size_t eq = line.find('='); eq != std::string_view::npos) {
            const std::string_view key = trim(line.substr(0, eq));
            const std::optional<std::string_view> plain = firstLine(text, section, key);
            const std::optional<std::string> found = ini.value(section, key);
            if (found.has_value() != plain.has_value() || (plain && *found != valueOf(*plain))) {
                std::abort();
            }
        }
    }
    return 0;
}
