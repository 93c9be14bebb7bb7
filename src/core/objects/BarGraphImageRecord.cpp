#include "objects/BarGraphImageRecord.h"

#include <algorithm>

namespace dispcraft {

namespace {
constexpr int kScaleDots = 5; // the scale strip beside the bar
} // namespace

WordCoding BarGraphImageRecord::coding() const {
    const WordCoding::Kind kind = (attributes & 0x80)   ? WordCoding::Kind::Signed
                                  : (attributes & 0x40) ? WordCoding::Kind::Bcd
                                                        : WordCoding::Kind::Unsigned;
    return WordCoding(kind, false);
}

int64_t BarGraphImageRecord::top() const {
    return coding().kind() == WordCoding::Kind::Unsigned ? static_cast<uint16_t>(maximum) : maximum;
}

int64_t BarGraphImageRecord::bottom() const {
    return coding().kind() == WordCoding::Kind::Unsigned ? static_cast<uint16_t>(minimum) : minimum;
}

int BarGraphImageRecord::filled(std::optional<int64_t> value, int span) const {
    const int64_t lo = bottom(), hi = top();
    if (!value || hi == lo || span <= 0) {
        return 0;
    }
    const int64_t n = (*value - lo) * span / (hi - lo);
    return static_cast<int>(std::clamp<int64_t>(n, 0, span));
}

void BarGraphImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(attributes);
    w.u16(address);
    w.u16(static_cast<uint16_t>(maximum));
    w.u16(static_cast<uint16_t>(minimum));
    w.u8(length);
    w.u8(thickness);
    w.u8(areaBit);
    w.u8(0);
}

BarGraphImageRecord BarGraphImageRecord::read(ByteReader& r) {
    BarGraphImageRecord b;
    b.kind = r.u8();
    b.x = r.u8();
    b.y = r.u8();
    b.attributes = r.u8();
    b.address = r.u16();
    b.maximum = r.i16();
    b.minimum = r.i16();
    b.length = r.u8();
    b.thickness = r.u8();
    b.areaBit = r.u8();
    r.skip(1);
    return b;
}

void BarGraphImageRecord::draw(const LiveDrawing& d, const State&) const {
    const WordCoding c = coding();
    const std::optional<int64_t> value = c.decode(c.read(d.plc, port(), area(), address));
    LcdDots& lcd = d.lcd;
    const int len = length, thick = thickness;
    if (horizontal()) {
        // The bar above, its scale below: a line with a tick at each quarter.
        const int barH = std::max(thick - kScaleDots, 3);
        lcd.fill(x, y, len, 1, true);
        lcd.fill(x, y + barH - 1, len, 1, true);
        lcd.fill(x, y, 1, barH, true);
        lcd.fill(x + len - 1, y, 1, barH, true);
        const int scaleY = y + thick - 1;
        lcd.fill(x, scaleY, len, 1, true);
        for (int q = 0; q <= 4; ++q) {
            lcd.fill(x + std::min(q * len / 4, len - 1), scaleY - 2, 1, 2, true);
        }
        const int inner = len - 4;
        const int n = filled(value, inner);
        const int from = direction() == kRightward ? x + 2 : x + 2 + inner - n;
        lcd.fill(from, y + 2, n, barH - 4, true);
    } else {
        // The scale on the left, the bar on its right.
        const int barX = x + std::min(kScaleDots, std::max(thick - 3, 0));
        const int barW = thick - (barX - x);
        lcd.fill(barX, y, barW, 1, true);
        lcd.fill(barX, y + len - 1, barW, 1, true);
        lcd.fill(barX, y, 1, len, true);
        lcd.fill(barX + barW - 1, y, 1, len, true);
        lcd.fill(x, y, 1, len, true);
        for (int q = 0; q <= 4; ++q) {
            lcd.fill(x, y + std::min(q * len / 4, len - 1), 3, 1, true);
        }
        const int inner = len - 4;
        const int n = filled(value, inner);
        const int from = direction() == kDownward ? y + 2 : y + 2 + inner - n;
        lcd.fill(barX + 2, from, barW - 4, n, true);
    }
}

} // namespace dispcraft
