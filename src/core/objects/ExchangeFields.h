#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace dispcraft {

// Helpers of the fixed-size exchange records that carry objects through the clipboard.
namespace exchange {

constexpr size_t kTextField = 100; // bytes of a text field
constexpr size_t kDotField = 4096; // bytes of a lamp's dot field
// Largest view coordinate a pasted object may have: the store halves it into 16 bits. One grid
// step is left for the same-project offset of a paste.
constexpr int32_t kMaxCoordinate = 2 * 65535 - 16;

// An exchange record with every byte 0, reserved ones included.
template <typename T> T zeroed() {
    T t;
    std::memset(&t, 0, sizeof t);
    return t;
}

// Up to the NUL or the end of the field, whichever comes first.
inline std::string fieldText(const char* field, size_t width) {
    return std::string(field, strnlen(field, width));
}

// The caller has checked that the text fits the field.
inline void putText(char* field, const std::string& s) {
    std::memcpy(field, s.data(), s.size());
}

inline bool validPosition(int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x <= kMaxCoordinate && y <= kMaxCoordinate;
}

// Sizes the store keeps in one byte; anything else did not come from an editor.
inline bool byteSized(int32_t v) {
    return v >= 0 && v <= 255;
}

// The head of an exchange record whose kind is a whole 32-bit word, and of one whose kind is a
// byte followed by three reserved bytes.
template <typename Exchange, typename Object> void putHead(Exchange& e, const Object& o) {
    if constexpr (requires { e.kindWord; }) {
        e.kindWord = o.kindWord;
    } else {
        e.kind = static_cast<uint8_t>(o.kindWord);
    }
    e.x = o.x;
    e.y = o.y;
}

// A record is valid for paste when its kind field is the kind code with the selection bit and
// its position is one the editor can hold.
template <typename Exchange> bool pastable(const Exchange& e, int kind) {
    uint32_t word;
    if constexpr (requires { e.kindWord; }) {
        word = e.kindWord;
    } else {
        word = e.kind;
    }
    return word == static_cast<uint32_t>(kind) + 0x80 && validPosition(e.x, e.y);
}

template <typename Object, typename Exchange> void takeHead(Object& o, const Exchange& e) {
    if constexpr (requires { e.kindWord; }) {
        o.kindWord = e.kindWord;
    } else {
        o.kindWord = e.kind;
    }
    o.x = e.x;
    o.y = e.y;
}

} // namespace exchange

} // namespace dispcraft
