#include "text/LanguageStrings.h"

#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "text/BuiltinLanguage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace dispcraft {

namespace {

bool validUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) {
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += n;
    }
    return true;
}

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char c = s[++i];
        switch (c) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default:
            out += '\\';
            out += c;
        }
    }
    return out;
}

bool parseInteger(const std::string& s, long long& v) {
    if (s.empty()) {
        return false;
    }
    char* end = nullptr;
    v = std::strtoll(s.c_str(), &end, 10);
    return end && *end == '\0';
}

} // namespace

size_t LanguageStrings::parse(std::string_view content) {
    m_texts.clear();
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        content.remove_prefix(3);
    }
    size_t pos = 0;
    while (pos < content.size()) {
        size_t nl = content.find('\n', pos);
        std::string_view line = content.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? content.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab > 6) {
            continue;
        }
        int id = 0;
        bool digits = true;
        for (size_t i = 0; i < tab; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(line[i]))) {
                digits = false;
                break;
            }
            id = id * 10 + (line[i] - '0');
        }
        std::string_view text = line.substr(tab + 1);
        // A damaged line is skipped rather than shown as garbage.
        if (!digits || !validUtf8(text)) {
            continue;
        }
        m_texts[id] = unescape(text);
    }
    return m_texts.size();
}

bool LanguageStrings::loadFile(const std::string& path, Message* problem) {
    auto content = FileIo::readText(path);
    LanguageStrings candidate;
    if (content && candidate.parse(*content) > 0) {
        m_texts = std::move(candidate.m_texts);
        m_source = path;
        return true;
    }
    if (problem) {
        *problem = m_reported ? Message{} : Message::string(kLanguageFileFallback, {path});
    }
    m_reported = true;
    return false;
}

bool LanguageStrings::load(const std::string& programDir, const std::string& libraryName,
                           Message* problem) {
    std::string name = fileNameFor(libraryName);
    std::string path = !name.empty() && name.front() == '/' ? name : ProgramDirectory(programDir).file(name);
    return loadFile(path, problem);
}

std::string LanguageStrings::fileNameFor(const std::string& libraryName) {
    std::string name = libraryName;
    if (name.size() >= 4) {
        std::string ext = name.substr(name.size() - 4);
        for (char& c : ext) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (ext == ".dll") {
            name.resize(name.size() - 4);
        }
    }
    return name + ".lang";
}

std::string LanguageStrings::text(int id) const {
    if (auto it = m_texts.find(id); it != m_texts.end()) {
        return it->second;
    }
    const LanguageStrings& b = builtin();
    if (this != &b) {
        if (auto it = b.m_texts.find(id); it != b.m_texts.end()) {
            return it->second;
        }
    }
    return "#" + std::to_string(id);
}

bool LanguageStrings::has(int id) const {
    return m_texts.count(id) != 0 || builtin().m_texts.count(id) != 0;
}

std::string LanguageStrings::format(const Message& message) const {
    if (message.id == 0) {
        return message.literal + message.suffix;
    }
    return substitute(text(message.id), message.args) + message.suffix;
}

// Field widths and argument numbers come from language files: a text with "%99999999999d" must
// not ask for more memory than there is (or wrap round to a small number).
constexpr size_t kMaxFieldNumber = 1000;

std::string LanguageStrings::substitute(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    size_t next = 0;
    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            ++i;
            continue;
        }
        size_t j = i + 1;
        if (pattern[j] == '%') {
            out += '%';
            i = j + 1;
            continue;
        }
        // "%2$s": a translation may take the arguments in another order.
        size_t position = 0;
        {
            size_t k = j;
            size_t n = 0;
            while (k < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[k]))) {
                n = std::min(n * 10 + static_cast<size_t>(pattern[k] - '0'), kMaxFieldNumber);
                ++k;
            }
            if (k > j && k < pattern.size() && pattern[k] == '$' && n > 0) {
                position = n;
                j = k + 1;
            }
        }
        bool left = false;
        bool zero = false;
        while (j < pattern.size() && std::string_view("-0 +#").find(pattern[j]) != std::string_view::npos) {
            left = left || pattern[j] == '-';
            zero = zero || pattern[j] == '0';
            ++j;
        }
        size_t width = 0;
        while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j]))) {
            width = std::min(width * 10 + static_cast<size_t>(pattern[j] - '0'), kMaxFieldNumber);
            ++j;
        }
        if (j < pattern.size() && pattern[j] == '.') {
            ++j;
            while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j]))) {
                ++j;
            }
        }
        while (j < pattern.size() && (pattern[j] == 'l' || pattern[j] == 'h')) {
            ++j;
        }
        if (j >= pattern.size() || std::string_view("diuxXcsS").find(pattern[j]) == std::string_view::npos) {
            // Not a conversion: keep the text as it stands.
            out.append(pattern, i, j - i);
            i = j;
            continue;
        }
        char conv = pattern[j];
        size_t index = position > 0 ? position - 1 : next++;
        std::string arg = index < args.size() ? args[index] : std::string();
        long long v = 0;
        if ((conv == 'x' || conv == 'X') && parseInteger(arg, v)) {
            char buf[32];
            std::snprintf(buf, sizeof buf, conv == 'x' ? "%llx" : "%llX",
                          static_cast<unsigned long long>(v) & (v < 0 ? 0xFFFFFFFFULL : ~0ULL));
            arg = buf;
        } else if (conv == 'c' && arg.size() > 1 && parseInteger(arg, v) && v > 0 && v < 128) {
            arg = std::string(1, static_cast<char>(v));
        }
        if (arg.size() < width) {
            size_t pad = width - arg.size();
            bool numeric = std::string_view("diuxX").find(conv) != std::string_view::npos;
            if (left) {
                arg.append(pad, ' ');
            } else if (zero && numeric) {
                size_t sign = !arg.empty() && (arg[0] == '-' || arg[0] == '+') ? 1 : 0;
                arg.insert(sign, pad, '0');
            } else {
                arg.insert(0, pad, ' ');
            }
        }
        out += arg;
        i = j + 1;
    }
    return out;
}

std::string LanguageStrings::caption(int commandId) const {
    std::string t = text(commandId);
    return t.substr(0, t.find('\n'));
}

std::string LanguageStrings::tip(int commandId) const {
    std::string t = text(commandId);
    size_t nl = t.find('\n');
    return nl == std::string::npos ? std::string() : t.substr(nl + 1);
}

const LanguageStrings& LanguageStrings::builtin() {
    static const LanguageStrings english = [] {
        LanguageStrings l;
        l.parse(builtinEnglishLanguage());
        return l;
    }();
    return english;
}

LanguageStrings& LanguageStrings::current() {
    static LanguageStrings language;
    return language;
}

} // namespace dispcraft
