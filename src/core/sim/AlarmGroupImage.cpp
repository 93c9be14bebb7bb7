#include "sim/AlarmGroupImage.h"

#include <algorithm>

namespace dispcraft {

std::span<const uint16_t> AlarmGroupImage::message(std::span<const uint16_t> list, int i,
                                                   size_t groupEnd) const {
    if (i < 0 || i >= kMessages) {
        return {};
    }
    const size_t start = textStarts[static_cast<size_t>(i)];
    // Messages follow one another without a separator: one ends where the next starts, the
    // last where the group's texts end; none holds more glyphs than bytes.
    size_t end = i + 1 < kMessages ? textStarts[static_cast<size_t>(i) + 1] : groupEnd;
    end = std::min({end, list.size(), start + textLengths[static_cast<size_t>(i)]});
    if (start >= end) {
        return {};
    }
    return list.subspan(start, end - start);
}

void AlarmGroupImage::write(ByteWriter& w) const {
    w.u8(flags);
    w.u8(count);
    w.u8(areaBit);
    w.u8(0);
    w.u16(startAddress);
    w.u16(0);
    for (uint16_t s : textStarts) {
        w.u16(s);
    }
    w.bytes(textLengths.data(), textLengths.size());
}

AlarmGroupImage AlarmGroupImage::read(ByteReader& r) {
    AlarmGroupImage a;
    a.flags = r.u8();
    a.count = r.u8();
    a.areaBit = r.u8();
    r.skip(1);
    a.startAddress = r.u16();
    r.skip(2);
    for (uint16_t& s : a.textStarts) {
        s = r.u16();
    }
    r.bytes(a.textLengths.data(), a.textLengths.size());
    return a;
}

} // namespace dispcraft
