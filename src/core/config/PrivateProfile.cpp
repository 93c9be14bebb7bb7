#include "config/PrivateProfile.h"

#include "config/IniFile.h"
#include "base/FileIo.h"

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

// The integer reading of the profile call: optional sign, then "0x" and hex digits or decimal
// digits, wrapping at 32 bits as the call's unsigned result does.
int profileInt(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    unsigned long long value = 0;
    if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        i += 2;
        while (i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i]))) {
            int d = std::isdigit(static_cast<unsigned char>(s[i]))
                        ? s[i] - '0'
                        : std::tolower(static_cast<unsigned char>(s[i])) - 'a' + 10;
            value = (value * 16 + static_cast<unsigned>(d)) & 0xFFFFFFFFULL;
            ++i;
        }
    } else {
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            value = (value * 10 + static_cast<unsigned>(s[i] - '0')) & 0xFFFFFFFFULL;
            ++i;
        }
    }
    unsigned int u = static_cast<unsigned int>(value);
    if (negative) {
        u = 0u - u;
    }
    return static_cast<int>(u);
}

} // namespace

std::string PrivateProfile::fitBuffer(std::string v, size_t bufferSize) {
    size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
    if (v.size() <= limit) {
        return v;
    }
    // Walk the characters so that a cut never leaves half of a two-byte character behind.
    size_t i = 0;
    while (i < limit) {
        size_t n = static_cast<unsigned char>(v[i]) >= 0x80 ? 2 : 1;
        if (i + n > limit) {
            break;
        }
        i += n;
    }
    v.resize(i);
    return v;
}

IniFile PrivateProfile::load(const std::string& path) {
    auto text = FileIo::readText(path);
    return text ? IniFile(*text) : IniFile();
}

std::string PrivateProfile::getString(const IniFile& ini, const std::string& section,
                                      const std::string& key, const std::string& def,
                                      size_t bufferSize) {
    std::optional<std::string> found = ini.value(section, key);
    return fitBuffer(found ? *found : trimRight(def), bufferSize);
}

int PrivateProfile::getInt(const IniFile& ini, const std::string& section,
                           const std::string& key, int def) {
    std::optional<std::string> found = ini.value(section, key);
    // An empty value counts as missing, as with the profile call.
    if (!found || found->empty()) {
        return def;
    }
    return profileInt(*found);
}

std::string PrivateProfile::getString(const std::string& path, const std::string& section,
                                      const std::string& key, const std::string& def,
                                      size_t bufferSize) {
    return getString(load(path), section, key, def, bufferSize);
}

int PrivateProfile::getInt(const std::string& path, const std::string& section,
                           const std::string& key, int def) {
    return getInt(load(path), section, key, def);
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
