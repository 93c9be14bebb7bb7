#include "objects/PictureImageRecord.h"

namespace dispcraft {

void PictureImageRecord::write(ByteWriter& w) const {
    w.u8(kind);
    w.u8(x);
    w.u8(y);
    w.u8(0);
    w.u8(height);
    w.u8(width);
    w.u8(pictureNumber);
}

PictureImageRecord PictureImageRecord::read(ByteReader& r) {
    PictureImageRecord p;
    p.kind = r.u8();
    p.x = r.u8();
    p.y = r.u8();
    r.skip(1);
    p.height = r.u8();
    p.width = r.u8();
    p.pictureNumber = r.u8();
    return p;
}

void PictureImageRecord::draw(const LiveDrawing& d, const State&) const {
    // The image holds whole bands of 8 rows, the top rows of a part band dropped: the rows it
    // holds show where they belong, below the gap.
    d.lcd.columnBitmap(x, y + 1 + (height & 7), d.bitmaps.picture(pictureNumber), width, height >> 3, 0, width);
}

} // namespace dispcraft
