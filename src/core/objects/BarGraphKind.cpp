#include "objects/BarGraphKind.h"

#include "objects/ExchangeFields.h"
#include "objects/FieldCopy.h"
#include "objects/ImageContext.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"

namespace dispcraft {

namespace {

// The fields the stored, working and exchange forms share, copied between any two of them.
template <typename From, typename To>
void copyFields(const From& from, To& to) {
    fieldcopy::copyRegisterFields(from, to);
    fieldcopy::copy(to.length, from.length);
    fieldcopy::copy(to.thickness, from.thickness);
}

} // namespace

bool BarGraphKind::open(const Record& r, Object& o, OpenContext&) {
    stored::openHead(r, o, kCode);
    copyFields(r, o);
    return true;
}

BarGraphKind::Record BarGraphKind::store(const Object& o, StoreContext&) {
    Record r = stored::origin<Record>(o);
    stored::storeHead(o, r, kCode);
    copyFields(o, r);
    return r;
}

BarGraphKind::Exchange BarGraphKind::toExchange(const Object& o, MessageSink&) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    copyFields(o, e);
    return e;
}

std::optional<BarGraphKind::Object> BarGraphKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode) || !exchange::byteSized(e.length) ||
        !exchange::byteSized(e.thickness)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    copyFields(e, o);
    return o;
}

Rect BarGraphKind::rect(const Object& o, const PictureTable&) {
    return o.horizontal() ? Rect::ofSize(o.x, o.y, 2 * o.length, 2 * o.thickness)
                          : Rect::ofSize(o.x, o.y, 2 * o.thickness, 2 * o.length);
}

bool BarGraphKind::resizeTo(Object& o, const Rect& r) {
    const int length = o.horizontal() ? r.width() / 2 : r.height() / 2;
    const int thickness = o.horizontal() ? r.height() / 2 : r.width() / 2;
    const bool changed =
        r.left != o.x || r.top != o.y || length != o.length || thickness != o.thickness;
    o.length = length;
    o.thickness = thickness;
    o.x = r.left;
    o.y = r.top;
    return changed;
}

void BarGraphKind::draw(const Object& o, ObjectCanvas& canvas) {
    RgbImage& img = canvas.image();
    constexpr Rgb kInk = ObjectCanvas::kInk;
    const Rect r = rect(o, canvas.pictures());
    const int x = r.left, y = r.top, w = r.width(), h = r.height();
    const bool fromStart = (o.attr & Record::kFillFromStart) != 0;
    if (o.horizontal()) {
        img.penLine(x, y, x + w, y, kInk);
        img.penLine(x + w, y, x + w, y + h - 10, kInk);
        img.penLine(x + w, y + h - 10, x, y + h - 10, kInk);
        img.penLine(x, y + h - 10, x, y, kInk);
        img.penLine(x, y + h - 6, x + w, y + h - 6, kInk);
        img.penLine(x + w, y + h - 6, x + w, y + h, kInk);
        img.penLine(x, y + h, x, y + h - 6, kInk);
        for (int tick : {x + w / 4, x + w / 2, x + 3 * w / 4}) {
            img.penLine(tick, y + h, tick, y + h - 6, kInk);
        }
        img.fill(Rect::ofSize(fromStart ? x : x + w / 3, y + 2, 2 * w / 3, h - 10 - 2), kInk);
    } else {
        img.penLine(x, y, x + w, y, kInk);
        img.penLine(x + w, y, x + w, y + h, kInk);
        img.penLine(x + w, y + h, x, y + h, kInk);
        img.penLine(x, y + h, x, y, kInk);
        img.penLine(x + 10, y, x + 10, y + h, kInk);
        img.penLine(x + 6, y, x + 6, y + h, kInk);
        for (int tick : {y + h / 4, y + h / 2, y + 3 * h / 4}) {
            img.penLine(x, tick, x + 6, tick, kInk);
        }
        img.fill(Rect::ofSize(x + 10, fromStart ? y : y + h / 3, w - 10 - 2, 2 * h / 3 - 1), kInk);
    }
}

BarGraphImageRecord BarGraphKind::toImage(const Record& r, ImageContext& c) {
    BarGraphImageRecord i;
    c.putHead(r, i);
    i.attributes = r.attr;
    i.address = r.address;
    i.maximum = r.maximum;
    i.minimum = r.minimum;
    i.length = r.length;
    i.thickness = r.thickness;
    i.areaBit = r.areaAndBit;
    return i;
}

ReportCells BarGraphKind::reportCells(const Record& r) {
    using namespace reporttext;
    ReportCells cells{{}, graphRange(r.attr, r.minimum, r.maximum)};
    cells.format.push_back(Message::string(kFirstDirection + (r.attr & Record::kDirection)));
    cells.format.push_back(dots(r.length, r.thickness));
    return cells;
}
} // namespace dispcraft
