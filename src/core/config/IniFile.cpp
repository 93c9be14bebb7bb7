#include "config/IniFile.h"

#include <cctype>

namespace dispcraft {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Appends a name in the form in which names compare equal exactly when equalNoCase says so:
// ASCII letters folded, other bytes as they are.
void appendFolded(std::string& out, std::string_view s) {
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        out += u < 128 ? static_cast<char>(std::tolower(u)) : c;
    }
}

std::string keyOf(std::string_view section, std::string_view key) {
    section = trim(section);
    key = trim(key);
    std::string out;
    out.reserve(section.size() + 1 + key.size());
    appendFolded(out, section);
    out += '\n';
    appendFolded(out, key);
    return out;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        // Only ASCII letters fold; GB2312 bytes compare as they are.
        if (x < 128 && y < 128) {
            if (std::tolower(x) != std::tolower(y)) {
                return false;
            }
        } else if (x != y) {
            return false;
        }
    }
    return true;
}

// The section name of a header line "[name]", or nothing.
std::optional<std::string_view> headerName(std::string_view raw) {
    // Files saved by some editors start with a UTF-8 byte order mark; it must not hide the
    // first section.
    if (raw.substr(0, 3) == "\xEF\xBB\xBF") {
        raw.remove_prefix(3);
    }
    std::string_view t = trim(raw);
    if (t.size() < 2 || t.front() != '[') {
        return std::nullopt;
    }
    size_t close = t.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trim(t.substr(1, close - 1));
}

// Splits "key = value" into its trimmed key and raw value part; nothing for lines without '='.
bool splitKey(std::string_view raw, std::string_view& key, std::string_view& value) {
    size_t eq = raw.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = trim(raw.substr(0, eq));
    value = raw.substr(eq + 1);
    return true;
}

std::string unquote(std::string_view v) {
    v = trim(v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

bool isComment(std::string_view raw) {
    std::string_view t = trim(raw);
    return !t.empty() && (t.front() == ';' || t.front() == '#');
}

} // namespace

IniFile::IniFile(std::string_view text) {
    if (text.find("\r\n") == std::string_view::npos && text.find('\n') != std::string_view::npos) {
        m_eol = "\n";
    }
    m_finalEol = text.empty() || text.back() == '\n';
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? text.size() - pos : nl - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        m_lines.push_back(Line{std::string(line)});
        if (nl == std::string_view::npos) {
            break;
        }
        pos = nl + 1;
    }
    indexLines();
}

void IniFile::indexLines() {
    m_headers.clear();
    m_firstKeyLine.clear();
    std::optional<std::string_view> section;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const std::string& raw = m_lines[i].raw;
        if (std::optional<std::string_view> name = headerName(raw)) {
            m_headers.push_back(static_cast<int>(i));
            section = name;
            continue;
        }
        std::string_view k, v;
        // Lines before the first section belong to none; the first line of a key wins, also
        // over later sections of the same name.
        if (section && !isComment(raw) && splitKey(raw, k, v)) {
            m_firstKeyLine.emplace(keyOf(*section, k), static_cast<int>(i));
        }
    }
}

int IniFile::findSection(std::string_view section, int from) const {
    std::string_view want = trim(section);
    for (int i : m_headers) {
        if (i >= from && equalNoCase(*headerName(m_lines[static_cast<size_t>(i)].raw), want)) {
            return i;
        }
    }
    return -1;
}

int IniFile::sectionEnd(int h) const {
    for (int i : m_headers) {
        if (i > h) {
            return i;
        }
    }
    return static_cast<int>(m_lines.size());
}

int IniFile::findKeyLine(std::string_view section, std::string_view key) const {
    auto found = m_firstKeyLine.find(keyOf(section, key));
    return found == m_firstKeyLine.end() ? -1 : found->second;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    int i = findKeyLine(section, key);
    if (i < 0) {
        return std::nullopt;
    }
    std::string_view k, v;
    splitKey(m_lines[i].raw, k, v);
    return unquote(v);
}

bool IniFile::hasSection(std::string_view section) const { return findSection(section) >= 0; }

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    for (int h = findSection(section); h >= 0; h = findSection(section, h + 1)) {
        int end = sectionEnd(h);
        for (int i = h + 1; i < end; ++i) {
            std::string_view k, v;
            if (!isComment(m_lines[i].raw) && splitKey(m_lines[i].raw, k, v)) {
                out.emplace_back(k);
            }
        }
    }
    return out;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    // A line break in a value would end its line and smuggle in lines of its own.
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string line = std::string(trim(key)) + "=" + std::string(value);
    if (int i = findKeyLine(section, key); i >= 0) {
        m_lines[static_cast<size_t>(i)].raw = line;
        return;
    }
    int h = findSection(section);
    if (h < 0) {
        m_lines.push_back(Line{"[" + std::string(trim(section)) + "]"});
        m_lines.push_back(Line{line});
        m_finalEol = true;
        indexLines();
        return;
    }
    // After the last non-blank line of the section, so blank separators stay between sections.
    int end = sectionEnd(h);
    int at = end;
    while (at - 1 > h && trim(m_lines[static_cast<size_t>(at - 1)].raw).empty()) {
        --at;
    }
    m_lines.insert(m_lines.begin() + at, Line{line});
    if (at == static_cast<int>(m_lines.size()) - 1) {
        m_finalEol = true;
    }
    indexLines();
}

void IniFile::removeKey(std::string_view section, std::string_view key) {
    if (int i = findKeyLine(section, key); i >= 0) {
        m_lines.erase(m_lines.begin() + i);
        indexLines();
    }
}

std::string IniFile::text() const {
    std::string out;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_finalEol) {
            out += m_eol;
        }
    }
    return out;
}

} // namespace dispcraft
