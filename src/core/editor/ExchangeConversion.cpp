#include "editor/ExchangeConversion.h"

#include "base/MessageSink.h"

#include <algorithm>
#include <cstring>

namespace dispcraft {

namespace {

constexpr size_t kTextField = 100;
constexpr size_t kDotField = 4096;

template <typename T>
T zeroed() {
    T t;
    std::memset(&t, 0, sizeof t);
    return t;
}

// Up to the NUL or the end of the field, whichever comes first.
std::string fieldText(const char* field, size_t width) {
    return std::string(field, strnlen(field, width));
}

void putText(char* field, const std::string& s) {
    std::memcpy(field, s.data(), s.size());
}

bool validPosition(int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x <= ExchangeConversion::kMaxCoordinate &&
           y <= ExchangeConversion::kMaxCoordinate;
}

// Sizes the store keeps in one byte; anything else did not come from an editor.
bool byteSized(int32_t v) { return v >= 0 && v <= 255; }

} // namespace

TextStringExchange ExchangeConversion::toExchange(const TextStringObject& o, MessageSink& sink) {
    auto e = zeroed<TextStringExchange>();
    e.kindWord = o.kindWord;
    e.x = o.x;
    e.y = o.y;
    e.attr = o.attr;
    if (o.text.size() > kTextField) {
        sink.show(Message::text("the length of str in TextString exceed 100 num!"));
    } else {
        putText(e.text, o.text);
    }
    return e;
}

MsgDispExchange ExchangeConversion::toExchange(const MsgDispObject& o, MessageSink& sink) {
    auto e = zeroed<MsgDispExchange>();
    e.kind = static_cast<uint8_t>(o.kindWord);
    e.x = o.x;
    e.y = o.y;
    e.attr = o.attr;
    for (size_t k = 0; k < o.texts.size(); ++k) {
        if (o.texts[k].size() > kTextField) {
            sink.show(Message::text("the length of textdata in MsgDisp exceeded 100 num!"));
            return e;
        }
        putText(e.texts[k], o.texts[k]);
    }
    e.value = o.value;
    e.trailing = o.trailing;
    return e;
}

NumDispExchange ExchangeConversion::toExchange(const NumDispObject& o, MessageSink& sink) {
    auto e = zeroed<NumDispExchange>();
    e.kind = static_cast<uint8_t>(o.kindWord);
    e.x = o.x;
    e.y = o.y;
    e.attr = o.attr;
    if (o.preview.size() > kTextField) {
        sink.show(Message::text("the length of dispdata in NumDisp exceeded 100 num!"));
        return e;
    }
    e.flags2 = o.flags2;
    std::copy(o.settings.begin(), o.settings.end(), e.settings);
    putText(e.preview, o.preview);
    e.trailingValue = o.trailingValue;
    e.trailing = o.trailing;
    return e;
}

LampExchange ExchangeConversion::toExchange(const LampObject& o, MessageSink& sink) {
    auto e = zeroed<LampExchange>();
    e.kindWord = o.kindWord;
    e.x = o.x;
    e.y = o.y;
    e.attr = o.attr;
    if (o.name.size() > kTextField) {
        sink.show(Message::text("the length of lampname in Lamp exceeded 100 num!"));
        return e;
    }
    putText(e.name, o.name);
    if (o.dots.size() > kDotField) {
        // The text says 100; the field holds 4096 bytes.
        sink.show(Message::text("the length of lampstr in Lamp exceeded 100 num!"));
        return e;
    }
    // A lamp whose file was missing has fewer dots than its count: copy what there is.
    size_t n = std::min(static_cast<size_t>(std::max(o.dotCount, 0)), o.dots.size());
    std::memcpy(e.dots, o.dots.data(), n);
    e.flags2 = o.flags2;
    e.value = o.value;
    e.value2 = o.value2;
    e.dotCount = o.dotCount;
    return e;
}

BarGraphExchange ExchangeConversion::toExchange(const BarGraphObject& o) {
    auto e = zeroed<BarGraphExchange>();
    e.kindWord = o.kindWord;
    e.x = o.x;
    e.y = o.y;
    e.attr = o.attr;
    e.setting1 = o.setting1;
    e.setting2 = o.setting2;
    e.setting3 = o.setting3;
    e.length = o.length;
    e.thickness = o.thickness;
    e.style = o.style;
    return e;
}

TrendGraphExchange ExchangeConversion::toExchange(const TrendGraphObject& o) {
    auto e = zeroed<TrendGraphExchange>();
    e.kindWord = o.kindWord;
    e.x = o.x;
    e.y = o.y;
    e.attr = o.attr;
    e.setting1 = o.setting1;
    e.setting2 = o.setting2;
    e.setting3 = o.setting3;
    e.height = o.height;
    e.width = o.width;
    e.setting4 = o.setting4;
    e.spacing = o.spacing;
    e.pointCount = o.pointCount;
    e.trailing = o.trailing;
    return e;
}

PictureExchange ExchangeConversion::toExchange(const PictureObject& o) {
    auto e = zeroed<PictureExchange>();
    e.kindWord = o.kindWord;
    e.x = o.x;
    e.y = o.y;
    e.pictureNo = o.pictureNo;
    return e;
}

std::optional<TextStringObject> ExchangeConversion::fromExchange(const TextStringExchange& e) {
    if (e.kindWord != kKindTextString + kSelectedBit || !validPosition(e.x, e.y)) {
        return std::nullopt;
    }
    TextStringObject o;
    o.kindWord = e.kindWord;
    o.x = e.x;
    o.y = e.y;
    o.attr = e.attr;
    o.text = fieldText(e.text, sizeof e.text);
    return o;
}

std::optional<MsgDispObject> ExchangeConversion::fromExchange(const MsgDispExchange& e) {
    if (e.kind != kKindMsgDisp + kSelectedBit || !validPosition(e.x, e.y)) {
        return std::nullopt;
    }
    MsgDispObject o;
    o.kindWord = e.kind;
    o.x = e.x;
    o.y = e.y;
    o.attr = e.attr;
    for (size_t k = 0; k < o.texts.size(); ++k) {
        o.texts[k] = fieldText(e.texts[k], kTextField);
    }
    o.value = e.value;
    o.trailing = e.trailing;
    return o;
}

std::optional<NumDispObject> ExchangeConversion::fromExchange(const NumDispExchange& e) {
    if (e.kind != kKindNumDisp + kSelectedBit || !validPosition(e.x, e.y)) {
        return std::nullopt;
    }
    NumDispObject o;
    o.kindWord = e.kind;
    o.x = e.x;
    o.y = e.y;
    o.attr = e.attr;
    o.flags2 = e.flags2;
    std::copy(std::begin(e.settings), std::end(e.settings), o.settings.begin());
    o.preview = fieldText(e.preview, sizeof e.preview);
    o.trailingValue = e.trailingValue;
    o.trailing = e.trailing;
    return o;
}

std::optional<LampObject> ExchangeConversion::fromExchange(const LampExchange& e) {
    if (e.kindWord != kKindLamp + kSelectedBit || !validPosition(e.x, e.y) || e.dotCount < 0 ||
        e.dotCount > static_cast<int32_t>(kDotField)) {
        return std::nullopt;
    }
    LampObject o;
    o.kindWord = e.kindWord;
    o.x = e.x;
    o.y = e.y;
    o.attr = e.attr;
    o.flags2 = e.flags2;
    o.value = e.value;
    o.name = fieldText(e.name, sizeof e.name);
    o.value2 = e.value2;
    o.dotCount = e.dotCount;
    o.dots.assign(reinterpret_cast<const char*>(e.dots), static_cast<size_t>(e.dotCount));
    return o;
}

std::optional<BarGraphObject> ExchangeConversion::fromExchange(const BarGraphExchange& e) {
    if (e.kindWord != kKindBarGraph + kSelectedBit || !validPosition(e.x, e.y) ||
        !byteSized(e.length) || !byteSized(e.thickness)) {
        return std::nullopt;
    }
    BarGraphObject o;
    o.kindWord = e.kindWord;
    o.x = e.x;
    o.y = e.y;
    o.attr = e.attr;
    o.setting1 = e.setting1;
    o.setting2 = e.setting2;
    o.setting3 = e.setting3;
    o.length = e.length;
    o.thickness = e.thickness;
    o.style = e.style;
    return o;
}

std::optional<TrendGraphObject> ExchangeConversion::fromExchange(const TrendGraphExchange& e) {
    if (e.kindWord != kKindTrendGraph + kSelectedBit || !validPosition(e.x, e.y) ||
        !byteSized(e.height) || !byteSized(e.width) || !byteSized(e.spacing) ||
        !byteSized(e.pointCount)) {
        return std::nullopt;
    }
    TrendGraphObject o;
    o.kindWord = e.kindWord;
    o.x = e.x;
    o.y = e.y;
    o.attr = e.attr;
    o.setting1 = e.setting1;
    o.setting2 = e.setting2;
    o.setting3 = e.setting3;
    o.height = e.height;
    o.width = e.width;
    o.setting4 = e.setting4;
    o.spacing = e.spacing;
    o.pointCount = e.pointCount;
    o.trailing = e.trailing;
    return o;
}

std::optional<PictureObject> ExchangeConversion::fromExchange(const PictureExchange& e) {
    if (e.kindWord != kKindPicture + kSelectedBit || !validPosition(e.x, e.y)) {
        return std::nullopt;
    }
    PictureObject o;
    o.kindWord = e.kindWord;
    o.x = e.x;
    o.y = e.y;
    o.pictureNo = e.pictureNo;
    return o;
}

} // namespace dispcraft
