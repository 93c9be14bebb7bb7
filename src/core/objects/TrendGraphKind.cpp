#include "objects/TrendGraphKind.h"

#include "objects/ExchangeFields.h"
#include "objects/FieldCopy.h"
#include "objects/ImageContext.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"

#include <algorithm>

namespace dispcraft {

namespace {

// The fields the stored, working and exchange forms share, copied between any two of them.
template <typename From, typename To>
void copyFields(const From& from, To& to) {
    fieldcopy::copyRegisterFields(from, to);
    fieldcopy::copy(to.height, from.height);
    fieldcopy::copy(to.width, from.width);
    fieldcopy::copy(to.settingA, from.settingA);
    fieldcopy::copy(to.spacing, from.spacing);
    fieldcopy::copy(to.pointCount, from.pointCount);
}

} // namespace

bool TrendGraphKind::open(const Record& r, Object& o, OpenContext&) {
    stored::openHead(r, o, kCode);
    copyFields(r, o);
    return true;
}

TrendGraphKind::Record TrendGraphKind::store(const Object& o, StoreContext&) {
    Record r = stored::origin<Record>(o);
    stored::storeHead(o, r, kCode);
    copyFields(o, r);
    return r;
}

TrendGraphKind::Exchange TrendGraphKind::toExchange(const Object& o, MessageSink&) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    copyFields(o, e);
    return e;
}

std::optional<TrendGraphKind::Object> TrendGraphKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode) || !exchange::byteSized(e.height) ||
        !exchange::byteSized(e.width) || !exchange::byteSized(e.spacing) ||
        !exchange::byteSized(e.pointCount)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    copyFields(e, o);
    return o;
}

Rect TrendGraphKind::rect(const Object& o, const PictureTable&) {
    return Rect::ofSize(o.x, o.y, 2 * o.width, 2 * o.height);
}

bool TrendGraphKind::resizeTo(Object& o, const Rect& r) {
    const int height = r.height() / 2;
    int width = r.width() / 2;
    int points = o.pointCount;
    // The width is a whole number of sample steps plus 3; a spacing of 0 (which the trend dialog
    // never gives) leaves the width as dragged.
    if (o.spacing > 0) {
        points = std::max((width - 3) / o.spacing - 1, 0);
        width = (points + 1) * o.spacing + 3;
    }
    const bool changed = r.left != o.x || r.top != o.y || height != o.height || width != o.width ||
                         points != o.pointCount;
    o.height = height;
    o.width = width;
    o.pointCount = points;
    o.x = r.left;
    o.y = r.top;
    return changed;
}

void TrendGraphKind::draw(const Object& o, ObjectCanvas& canvas) {
    RgbImage& img = canvas.image();
    constexpr Rgb kInk = ObjectCanvas::kInk;
    const Rect r = rect(o, canvas.pictures());
    const int x = r.left, y = r.top, w = r.width(), h = r.height();
    img.penLine(x + 4, y, x + 4, y + h, kInk);
    img.penLine(x, y + h - 4, x + w, y + h - 4, kInk);
    img.penLine(x + 4, y + h - 4, x + w / 3, y + h / 3, kInk);
    img.penLine(x + w / 3, y + h / 3, x + 2 * w / 3, y + h / 3, kInk);
    img.penLine(x + 2 * w / 3, y + h / 3, x + w, y, kInk);
    for (int tick : {y + h / 4, y + h / 2, y + 3 * h / 4}) {
        img.penLine(x + 4, tick, x, tick, kInk);
    }
    img.penLine(x + 4, y, x, y + 8, kInk);
    img.penLine(x + w, y + h - 4, x + w - 8, y + h, kInk);
}

TrendGraphImageRecord TrendGraphKind::toImage(const Record& r, ImageContext& c) {
    TrendGraphImageRecord i;
    c.putHead(r, i);
    i.attributes = r.attr;
    i.address = r.address;
    i.maximum = r.maximum;
    i.minimum = r.minimum;
    i.sampleSeconds = r.settingA;
    i.spacing = r.spacing;
    i.height = r.height;
    i.width = r.width;
    i.intervals = r.pointCount;
    i.areaBit = r.areaAndBit;
    return i;
}

ReportCells TrendGraphKind::reportCells(const Record& r) {
    using namespace reporttext;
    ReportCells cells{{}, graphRange(r.attr, r.minimum, r.maximum)};
    // A setting A of 0 samples every second, as 1 does.
    cells.format.push_back(Message::string(
        kSamples, {std::to_string(std::max<int>(1, r.settingA)), std::to_string(r.spacing)}));
    cells.format.push_back(dots(r.width, r.height));
    return cells;
}
} // namespace dispcraft
