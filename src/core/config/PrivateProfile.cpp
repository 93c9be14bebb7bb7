#include "config/PrivateProfile.h"

#include "config/IniFile.h"
#include "model/FileIo.h"

#include <cctype>
#include <climits>

namespace dispcraft {

namespace {

std::string trimRight(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.pop_back();
    }
    return s;
}

} // namespace

std::string PrivateProfile::getString(const std::string& path, const std::string& section,
                                      const std::string& key, const std::string& def,
                                      size_t bufferSize) {
    std::string v;
    auto text = FileIo::readText(path);
    std::optional<std::string> found;
    if (text) {
        found = IniFile(*text).value(section, key);
    }
    v = found ? *found : trimRight(def);
    size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    if (v.size() > limit) {
        v.resize(limit);
    }
    return v;
}

int PrivateProfile::getInt(const std::string& path, const std::string& section,
                           const std::string& key, int def) {
    auto text = FileIo::readText(path);
    if (!text) {
        return def;
    }
    auto found = IniFile(*text).value(section, key);
    if (!found) {
        return def;
    }
    const std::string& s = *found;
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    long long value = 0;
    if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        i += 2;
        while (i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i]))) {
            int d = std::isdigit(static_cast<unsigned char>(s[i]))
                        ? s[i] - '0'
                        : std::tolower(static_cast<unsigned char>(s[i])) - 'a' + 10;
            value = (value * 16 + d) & 0xFFFFFFFFLL;
            ++i;
        }
    } else {
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            value = (value * 10 + (s[i] - '0')) & 0xFFFFFFFFLL;
            ++i;
        }
    }
    // 32-bit wrap, as the result of the profile call is a 32-bit unsigned value.
    unsigned int u = static_cast<unsigned int>(value);
    if (negative) {
        u = 0u - u;
    }
    return static_cast<int>(u);
}

bool PrivateProfile::writeString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& value) {
    auto text = FileIo::readText(path);
    IniFile ini(text ? *text : std::string());
    ini.setValue(section, key, value);
    return FileIo::writeAtomic(path, ini.text());
}

int PrivateProfile::leadingInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
        }
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace dispcraft
