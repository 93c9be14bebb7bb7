#include "objects/PictureKind.h"

#include "objects/ExchangeFields.h"
#include "objects/ImageContext.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"

namespace dispcraft {

bool PictureKind::open(const Record& r, Object& o, OpenContext&) {
    stored::openHead(r, o, kCode);
    o.pictureNo = r.pictureNo;
    return true;
}

PictureKind::Record PictureKind::store(const Object& o, StoreContext& c) {
    Record r{};
    stored::storeHead(o, r, kCode);
    r.pictureNo = o.pictureNo;
    if (o.pictureNo < kPictureSlots) {
        r.width = c.pictures[o.pictureNo].width;
        r.height = c.pictures[o.pictureNo].height;
    }
    return r;
}

PictureKind::Exchange PictureKind::toExchange(const Object& o, MessageSink&) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    e.pictureNo = o.pictureNo;
    return e;
}

std::optional<PictureKind::Object> PictureKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    o.pictureNo = e.pictureNo;
    return o;
}

Rect PictureKind::rect(const Object& o, const PictureTable& pictures) {
    if (const PictureTableEntry* e = definedPicture(pictures, o.pictureNo)) {
        return Rect::ofSize(o.x, o.y, 2 * e->width, 2 * e->height);
    }
    return Rect::ofSize(o.x, o.y, 0, 0);
}

void PictureKind::draw(const Object& o, ObjectCanvas& canvas) {
    const PictureTableEntry* e = definedPicture(canvas.pictures(), o.pictureNo);
    if (e == nullptr) {
        return;
    }
    const int w = e->width, h = e->height;
    for (int k = 0; k < h; ++k) {
        // A damaged table entry may hold fewer dots than its size says.
        const size_t row = static_cast<size_t>(k * w);
        if (row + static_cast<size_t>(w) <= e->dots.size()) {
            canvas.darkRuns(e->dots.data() + row, w, o.x, o.y + 2 * (h - k) - 1);
        }
    }
}

PictureImageRecord PictureKind::toImage(const Record& r, ImageContext& c) {
    PictureImageRecord i;
    c.putHead(r, i);
    i.height = r.height;
    i.width = r.width;
    i.pictureNumber = r.pictureNo;
    return i;
}

} // namespace dispcraft
