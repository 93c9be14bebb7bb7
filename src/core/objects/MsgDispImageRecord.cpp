#include "objects/MsgDispImageRecord.h"

#include <algorithm>

namespace dispcraft {

std::span<const uint16_t> MsgDispImageRecord::message(std::span<const uint16_t> list, int i) const {
    if (i < 0 || i >= kMessages) {
        return {};
    }
    const size_t start = textStarts[static_cast<size_t>(i)];
    if (i + 1 < kMessages) {
        // The messages follow one another without a separator: one ends where the next starts.
        const size_t next = textStarts[static_cast<size_t>(i) + 1];
        if (start >= list.size() || next <= start) {
            return {};
        }
        return list.subspan(start, std::min(next, list.size()) - start);
    }
    return GlyphCells::textAt(list, start, textLengths[static_cast<size_t>(i)]);
}

void MsgDispImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(attributes);
    w.u16(address);
    for (uint16_t s : textStarts) {
        w.u16(s);
    }
    w.bytes(textLengths.data(), textLengths.size());
    w.u8(longestLength);
    w.u8(areaBit);
}

MsgDispImageRecord MsgDispImageRecord::read(ByteReader& r) {
    MsgDispImageRecord m;
    m.kind = r.u8();
    m.x = r.u8();
    m.y = r.u8();
    m.attributes = r.u8();
    m.address = r.u16();
    for (uint16_t& s : m.textStarts) {
        s = r.u16();
    }
    r.bytes(m.textLengths.data(), m.textLengths.size());
    m.longestLength = r.u8();
    m.areaBit = r.u8();
    return m;
}

void MsgDispImageRecord::draw(const LiveDrawing& d, const State&) const {
    const uint16_t selected = d.plc.word(port(), area(), address);
    // Message displays draw in the normal font, whatever the attribute's low bits hold.
    d.glyphs.drawText(d.lcd, x, y, message(d.screenTexts, selected), 0, reverse(), 8 * longestLength);
}

} // namespace dispcraft
