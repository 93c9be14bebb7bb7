#include "objects/BarGraphImageRecord.h"

#include "objects/GraphAttr.h"

#include <algorithm>

namespace dispcraft {

namespace {
constexpr int kScaleDots = 4;         // the scale strip beside the bar
constexpr int kScaledThickness = 12; // thinner bars have no scale
} // namespace

WordCoding BarGraphImageRecord::coding() const {
    const int c = graphattr::coding(attributes);
    return WordCoding(c == graphattr::kSigned ? WordCoding::Kind::Signed
                      : c == graphattr::kBcd  ? WordCoding::Kind::Bcd
                                              : WordCoding::Kind::Unsigned,
                      false);
}

int64_t BarGraphImageRecord::top() const {
    return graphattr::bound(attributes, maximum);
}

int64_t BarGraphImageRecord::bottom() const {
    return graphattr::bound(attributes, minimum);
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
    const int len = length;
    // A bar thick enough has its scale beside it; a thin one is all bar.
    const int scale = thickness >= kScaledThickness ? kScaleDots : 0;
    const int bar = thickness - scale;
    if (horizontal()) {
        const int fill = filled(value, len - 2);
        if (bar < 3) {
            lcd.fill(direction() == kRightward ? x : x + len - fill, y, fill, bar, true);
        } else {
            lcd.fill(x, y, len, 1, true);
            lcd.fill(x, y + bar - 1, len, 1, true);
            lcd.fill(x, y, 1, bar, true);
            lcd.fill(x + len - 1, y, 1, bar, true);
            lcd.fill(direction() == kRightward ? x + 1 : x + len - 1 - fill, y + 1, fill, bar - 2, true);
        }
        if (scale) {
            const int baseline = y + thickness - 1;
            lcd.fill(x, baseline, len, 1, true);
            for (int q = 0; q <= 4; ++q) {
                lcd.fill(x + std::min(q * len / 4, len - 1), baseline - 2, 1, 2, true);
            }
        }
    } else {
        const int barX = x + scale;
        const int fill = filled(value, len - 2);
        if (bar < 3) {
            lcd.fill(barX, direction() == kDownward ? y : y + len - fill, bar, fill, true);
        } else {
            lcd.fill(barX, y, bar, 1, true);
            lcd.fill(barX, y + len - 1, bar, 1, true);
            lcd.fill(barX, y, 1, len, true);
            lcd.fill(barX + bar - 1, y, 1, len, true);
            lcd.fill(barX + 1, direction() == kDownward ? y + 1 : y + len - 1 - fill, bar - 2, fill, true);
        }
        if (scale) {
            lcd.fill(x, y, 1, len, true);
            for (int q = 0; q <= 4; ++q) {
                lcd.fill(x, y + std::min(q * len / 4, len - 1), 3, 1, true);
            }
        }
    }
}

} // namespace dispcraft
