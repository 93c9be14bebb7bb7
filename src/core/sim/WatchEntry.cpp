#include "sim/WatchEntry.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace dispcraft {

namespace {

std::optional<long long> integer(const std::string& text, int base) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, base);
    if (errno != 0 || end == text.c_str() || *end != '\0') {
        return std::nullopt;
    }
    return v;
}

std::string trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) {
        ++a;
    }
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) {
        --b;
    }
    return s.substr(a, b - a);
}

} // namespace

std::string WatchEntry::format(uint16_t value) const {
    if (location && location->isBit()) {
        return value ? "1" : "0";
    }
    char buf[16];
    switch (display) {
    case Display::Signed: std::snprintf(buf, sizeof buf, "%d", static_cast<int16_t>(value)); break;
    case Display::Hex: std::snprintf(buf, sizeof buf, "0x%04X", value); break;
    case Display::Bcd: std::snprintf(buf, sizeof buf, "%04X", value); break;
    case Display::Unsigned: std::snprintf(buf, sizeof buf, "%u", value); break;
    }
    return buf;
}

std::optional<uint16_t> WatchEntry::parse(const std::string& raw) const {
    std::string text = trimmed(raw);
    if (location && location->isBit()) {
        if (text == "1" || text == "on" || text == "ON") {
            return 1;
        }
        if (text == "0" || text == "off" || text == "OFF") {
            return 0;
        }
        return std::nullopt;
    }
    switch (display) {
    case Display::Bcd: {
        // Four decimal digits at most, each in its own 4 bits.
        if (text.empty() || text.size() > 4) {
            return std::nullopt;
        }
        for (char c : text) {
            if (!std::isdigit(static_cast<unsigned char>(c))) {
                return std::nullopt;
            }
        }
        auto v = integer(text, 16);
        return v ? std::optional<uint16_t>(static_cast<uint16_t>(*v)) : std::nullopt;
    }
    case Display::Hex: {
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            text = text.substr(2);
        }
        auto v = integer(text, 16);
        if (!v || *v < 0 || *v > 0xFFFF || text.find_first_of("+-") != std::string::npos) {
            return std::nullopt;
        }
        return static_cast<uint16_t>(*v);
    }
    case Display::Signed:
    case Display::Unsigned: {
        auto v = integer(text, 10);
        // Either reading of the word is accepted; the row shows it in its own.
        if (!v || *v < -32768 || *v > 65535) {
            return std::nullopt;
        }
        return static_cast<uint16_t>(*v & 0xFFFF);
    }
    }
    return std::nullopt;
}

const char* WatchEntry::displayName(Display d) {
    switch (d) {
    case Display::Signed: return "signed";
    case Display::Hex: return "hex";
    case Display::Bcd: return "bcd";
    case Display::Unsigned: break;
    }
    return "unsigned";
}

std::optional<WatchEntry::Display> WatchEntry::displayNamed(const std::string& name) {
    for (Display d : {Display::Unsigned, Display::Signed, Display::Hex, Display::Bcd}) {
        if (name == displayName(d)) {
            return d;
        }
    }
    return std::nullopt;
}

} // namespace dispcraft
