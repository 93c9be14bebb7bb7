#include "forms/AddressRules.h"

#include "forms/FormMessages.h"

namespace dispcraft {

namespace {

bool isAddressChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Highest character a format position allows. The 'o' and 'h' markers sit on a decimal
// position whose value the multiple rule constrains further.
char highestAllowed(char f) { return (f == 'o' || f == 'h') ? '9' : f; }

// The decimal reading of the first four characters, as the multiple rule takes it.
int decimalReading(std::string_view t) {
    return (t[0] - '0') * 1000 + (t[1] - '0') * 100 + (t[2] - '0') * 10 + (t[3] - '0');
}

int hexReading(std::string_view t) {
    int n = 0;
    for (size_t i = 0; i < 4; ++i) {
        n = n * 16 + addressDigitValue(t[i]);
    }
    return n;
}

char digitChar(int d) { return static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10); }

} // namespace

int addressDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c == 'o' || c == 'h') {
        return 9;
    }
    return 0;
}

std::string padAddress(std::string_view text, size_t width) {
    std::string t(text);
    if (t.size() < width) {
        t.insert(0, width - t.size(), '0');
    }
    return t;
}

bool ValidateAddress(std::string_view text, std::string_view limit, std::string_view format) {
    if (text.size() > limit.size()) {
        return false;
    }
    // Only the two format lengths the conversions know can describe an address; checking
    // against any other would read past the texts.
    if (format.size() != 4 && format.size() != 6) {
        return false;
    }
    std::string t = padAddress(text, format.size());
    for (size_t i = 0; i < format.size(); ++i) {
        // Characters beyond 'F' (lower case, punctuation) are no address characters even where
        // the format marker would let them pass a plain comparison.
        if (!isAddressChar(t[i]) || t[i] > highestAllowed(format[i])) {
            return false;
        }
    }
    const size_t e = limit.size();
    if (e >= 1 && e <= format.size()) {
        char marker = format[e - 1];
        if (marker == 'o' && decimalReading(t) % 8 != 0) {
            return false;
        }
        if (marker == 'h' && decimalReading(t) % 16 != 0) {
            return false;
        }
    }
    if (e >= 2 && e <= format.size() && e <= t.size()) {
        if (format[e - 2] == '1' && t[e - 2] == '1' && t[e - 1] > '5') {
            return false;
        }
    }
    if (limit.size() >= 4 && hexReading(t) > hexReading(limit)) {
        return false;
    }
    return true;
}

int AddressToNumber(std::string_view text, std::string_view format, MessageSink* sink) {
    if (format.size() != 4 && format.size() != 6) {
        if (sink) {
            sink->show(Message::string(formmsg::kBadAddressFormat), Icon::Warning);
        }
        return -1;
    }
    std::string t = padAddress(text, format.size());
    long long n = 0;
    for (size_t i = 0; i < 4 && i < t.size(); ++i) {
        int radix = addressDigitValue(format[i]) + 1;
        n = n * radix + addressDigitValue(t[i]);
    }
    if (format.size() == 6) {
        n += (t[4] - '0') * 10 + (t[5] - '0');
    }
    return static_cast<int>(n);
}

std::string NumberToAddress(long long number, std::string_view format, MessageSink* sink) {
    if (format.size() != 4 && format.size() != 6) {
        if (sink) {
            sink->show(Message::string(formmsg::kUnusableAddressFormat), Icon::Warning);
        }
        return {};
    }
    long long n = number < 0 ? 0 : number;
    std::string t(format.size(), '0');
    const long long bit = n % 100;
    for (int i = 3; i >= 0; --i) {
        int radix = addressDigitValue(format[i]) + 1;
        t[i] = digitChar(static_cast<int>(n % radix));
        n /= radix;
    }
    if (format.size() == 6) {
        t[4] = static_cast<char>('0' + bit / 10);
        t[5] = static_cast<char>('0' + bit % 10);
    }
    return t;
}

} // namespace dispcraft
