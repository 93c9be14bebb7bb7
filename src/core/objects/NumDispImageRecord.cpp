#include "objects/NumDispImageRecord.h"

#include <algorithm>

namespace dispcraft {

WordCoding NumDispImageRecord::coding() const {
    const WordCoding::Kind kind = (attributes & kBcd)      ? WordCoding::Kind::Bcd
                                  : (attributes & kSigned) ? WordCoding::Kind::Signed
                                                           : WordCoding::Kind::Unsigned;
    return WordCoding(kind, (attributes & kTwoWords) != 0);
}

std::string NumDispImageRecord::valueText(std::optional<int64_t> value) const {
    const int n = std::clamp<int>(digits, 1, 10);
    const int d = std::clamp<int>(decimals, 0, n - 1);
    const bool signedField = coding().kind() == WordCoding::Kind::Signed;
    const size_t width = static_cast<size_t>((signedField ? 1 : 0) + n + (d > 0 ? 1 : 0));
    if (!value) {
        return std::string(width, '*');
    }
    const bool negative = *value < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(*value) : static_cast<uint64_t>(*value);
    std::string figures = std::to_string(magnitude);
    if (figures.size() < static_cast<size_t>(d) + 1) {
        figures.insert(0, static_cast<size_t>(d) + 1 - figures.size(), '0');
    }
    if (figures.size() > static_cast<size_t>(n)) {
        return std::string(width, '*');
    }
    if (d > 0) {
        figures.insert(figures.size() - static_cast<size_t>(d), ".");
    }
    if (negative) {
        figures.insert(0, "-");
    }
    if (figures.size() > width) {
        return std::string(width, '*');
    }
    return std::string(width - figures.size(), ' ') + figures;
}

std::string NumDispImageRecord::clockText(const PanelClock& clock) const {
    int v = 0;
    switch (address) {
    case kSecond: v = clock.second; break;
    case kMinute: v = clock.minute; break;
    case kHour: v = clock.hour; break;
    case kDay: v = clock.day; break;
    case kMonth: v = clock.month; break;
    case kWeekday: v = clock.weekday; break;
    case kYear: v = clock.year % 100; break;
    default: return "**";
    }
    return {static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
}

void NumDispImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(attributes);
    w.u8(options);
    w.u8(areaBit);
    w.u16(address);
    w.u8(digits);
    w.u8(decimals);
    w.zeros(2);
    w.u32(static_cast<uint32_t>(maximum));
    w.u32(static_cast<uint32_t>(minimum));
    w.u32(static_cast<uint32_t>(scale));
}

void NumDispImageRecord::writeSide(ByteWriter& w) const {
    w.u32(static_cast<uint32_t>(alarmHigh));
    w.u32(static_cast<uint32_t>(alarmLow));
}

NumDispImageRecord NumDispImageRecord::read(ByteReader& r) {
    NumDispImageRecord n;
    n.kind = r.u8();
    n.x = r.u8();
    n.y = r.u8();
    n.attributes = r.u8();
    n.options = r.u8();
    n.areaBit = r.u8();
    n.address = r.u16();
    n.digits = r.u8();
    n.decimals = r.u8();
    r.skip(2);
    n.maximum = r.i32();
    n.minimum = r.i32();
    n.scale = r.i32();
    return n;
}

void NumDispImageRecord::readSide(ByteReader& r) {
    alarmHigh = r.i32();
    alarmLow = r.i32();
}

void NumDispImageRecord::draw(const LiveDrawing& d, const State&) const {
    bool reverse = (attributes & kReverse) != 0;
    if (clockForm()) {
        d.numbers.draw(d.lcd, x, y, clockText(d.clock), font(), reverse);
        return;
    }
    const WordCoding c = coding();
    std::optional<int64_t> value = c.decode(c.read(d.plc, port(), area(), address));
    if (value && (options & kAlarmRange) && (*value > alarmHigh || *value < alarmLow)) {
        reverse = !reverse;
    }
    if (value && (options & kScaled)) {
        *value *= scale;
    }
    d.numbers.draw(d.lcd, x, y, valueText(value), font(), reverse);
}

} // namespace dispcraft
