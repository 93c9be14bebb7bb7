#include "objects/TextStringImageRecord.h"

namespace dispcraft {

void TextStringImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(attributes);
    w.u16(textStart);
}

TextStringImageRecord TextStringImageRecord::read(ByteReader& r) {
    TextStringImageRecord t;
    t.kind = r.u8();
    t.x = r.u8();
    t.y = r.u8();
    t.attributes = r.u8();
    t.textStart = r.u16();
    return t;
}

void TextStringImageRecord::draw(const LiveDrawing& d, const State&) const {
    d.glyphs.drawText(d.lcd, x, y, GlyphCells::textAt(d.screenTexts, textStart), font(), reverse());
}

} // namespace dispcraft
