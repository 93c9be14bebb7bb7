#include "objects/LampImageRecord.h"

namespace dispcraft {

void LampImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(attributes);
    w.u16(address);
    w.u8(lampNumber);
    w.u8(areaBit);
}

LampImageRecord LampImageRecord::read(ByteReader& r) {
    LampImageRecord l;
    l.kind = r.u8();
    l.x = r.u8();
    l.y = r.u8();
    l.attributes = r.u8();
    l.address = r.u16();
    l.lampNumber = r.u8();
    l.areaBit = r.u8();
    return l;
}

void LampImageRecord::draw(const LiveDrawing& d, const State&) const {
    const int s = size();
    const bool second = secondPicture(d.plc.bit(port(), area(), address, bitNumber()));
    // Each band holds the columns of the first picture, then those of the second.
    d.lcd.columnBitmap(x, y + 1, d.bitmaps.lamp(lampNumber), 2 * s, s / 8, second ? s : 0, s);
}

} // namespace dispcraft
