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
    Record r = stored::origin<Record>(o);
    stored::storeHead(o, r, kCode);
    r.pictureNo = o.pictureNo;
    if (const PictureTableEntry* e = definedPicture(c.pictures, o.pictureNo)) {
        r.width = e->width;
        r.height = e->height;
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

void PictureKind::findBadReferences(const Record& r, const ReferenceScope& scope,
                                    BadReferences& out) {
    if (definedPicture(scope.pictures, r.pictureNo) == nullptr) {
        out.push_back({BadReference::What::Picture, 0, r.pictureNo});
    }
}

Rect PictureKind::rect(const Object& o, const PictureTable& pictures) {
    if (const PictureTableEntry* e = definedPicture(pictures, o.pictureNo)) {
        return Rect::ofSize(o.x, o.y, 2 * e->width, 2 * e->height);
    }
    return Rect::ofSize(o.x, o.y, kMissingSide, kMissingSide);
}

void PictureKind::draw(const Object& o, ObjectCanvas& canvas) {
    const PictureTableEntry* e = definedPicture(canvas.pictures(), o.pictureNo);
    if (e == nullptr) {
        // A red cross in a cell: something is placed here, but its picture is missing.
        const Rect r = rect(o, canvas.pictures());
        canvas.image().penLine(r.left, r.top, r.right - 1, r.bottom - 1, ObjectCanvas::kRed);
        canvas.image().penLine(r.left, r.bottom - 1, r.right - 1, r.top, ObjectCanvas::kRed);
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
