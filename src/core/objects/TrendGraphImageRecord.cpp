#include "objects/TrendGraphImageRecord.h"

#include "objects/GraphAttr.h"

#include <algorithm>

namespace dispcraft {

WordCoding TrendGraphImageRecord::coding() const {
    const int c = graphattr::coding(attributes);
    return WordCoding(c == graphattr::kSigned ? WordCoding::Kind::Signed
                      : c == graphattr::kBcd  ? WordCoding::Kind::Bcd
                                              : WordCoding::Kind::Unsigned,
                      false);
}

int64_t TrendGraphImageRecord::top() const {
    return graphattr::bound(attributes, maximum);
}

int64_t TrendGraphImageRecord::bottom() const {
    return graphattr::bound(attributes, minimum);
}

void TrendGraphImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(attributes);
    w.u16(address);
    w.u16(static_cast<uint16_t>(maximum));
    w.u16(static_cast<uint16_t>(minimum));
    w.u8(sampleSeconds);
    w.u8(spacing);
    w.u8(height);
    w.u8(width);
    w.u8(intervals);
    w.u8(areaBit);
}

TrendGraphImageRecord TrendGraphImageRecord::read(ByteReader& r) {
    TrendGraphImageRecord t;
    t.kind = r.u8();
    t.x = r.u8();
    t.y = r.u8();
    t.attributes = r.u8();
    t.address = r.u16();
    t.maximum = r.i16();
    t.minimum = r.i16();
    t.sampleSeconds = r.u8();
    t.spacing = r.u8();
    t.height = r.u8();
    t.width = r.u8();
    t.intervals = r.u8();
    t.areaBit = r.u8();
    return t;
}

void TrendGraphImageRecord::advance(const LiveDrawing& d, State& s) const {
    if (s.nextSampleMs < 0) {
        s.nextSampleMs = d.nowMs;
    }
    if (d.nowMs < s.nextSampleMs) {
        return;
    }
    // A long step may owe several samples; they all take the value of now, and no more of them
    // than the graph can show.
    const int64_t owed = (d.nowMs - s.nextSampleMs) / periodMs() + 1;
    const WordCoding c = coding();
    const std::optional<int64_t> value = c.decode(c.read(d.plc, port(), area(), address));
    for (int64_t i = 0; i < std::min<int64_t>(owed, static_cast<int64_t>(capacity())); ++i) {
        s.samples.push_back(value);
    }
    while (s.samples.size() > capacity()) {
        s.samples.pop_front();
    }
    s.nextSampleMs += owed * periodMs();
}

void TrendGraphImageRecord::draw(const LiveDrawing& d, const State& s) const {
    LcdDots& lcd = d.lcd;
    const int w = width, h = height;
    if (w < kAxisDots + 1 || h < kAxisDots + 1) {
        return;
    }
    const int axisX = x + 1;
    const int axisY = y + h - 2;
    lcd.fill(axisX, y, 1, h, true);
    lcd.fill(x, axisY, w, 1, true);
    const int plotTop = y;
    const int plotBottom = axisY - 1;
    const int64_t lo = bottom(), hi = top();
    auto rowOf = [&](int64_t v) {
        if (hi == lo) {
            return plotBottom;
        }
        const int64_t span = plotBottom - plotTop;
        const int64_t r = (v - lo) * span / (hi - lo);
        return plotBottom - static_cast<int>(std::clamp<int64_t>(r, 0, span));
    };
    int prevX = 0, prevY = 0;
    bool havePrev = false;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        const int px = x + kAxisDots + static_cast<int>(i) * spacing;
        if (!s.samples[i]) {
            havePrev = false; // a value that is not a number of its coding breaks the curve
            continue;
        }
        const int py = rowOf(*s.samples[i]);
        if (havePrev) {
            lcd.line(prevX, prevY, px, py);
        } else {
            lcd.set(px, py, true);
        }
        prevX = px;
        prevY = py;
        havePrev = true;
    }
}

} // namespace dispcraft
