#include "objects/LampKind.h"

#include "base/MessageSink.h"
#include "objects/ExchangeFields.h"
#include "objects/ImageContext.h"
#include "objects/LampDotSource.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"

#include <algorithm>

namespace dispcraft {

bool LampKind::open(const Record& r, Object& o, OpenContext& c) {
    stored::openHead(r, o, kCode);
    o.attr = r.attr;
    o.address = r.address;
    o.areaAndBit = r.areaAndBit;
    o.name = r.nameString();
    o.dotCount = static_cast<int32_t>(r.dotCount);
    LampFileRead f = c.lamps.read(o.name);
    if (!f.opened) {
        c.sink.show(Message::string(kFileMissingString));
        f = c.lamps.read(o.big() ? kDefault32 : kDefault16);
        if (!f.opened) {
            c.sink.show(Message::string(kNoPictureString));
            return false;
        }
    }
    if (f.isLampPicture()) {
        o.dots = std::move(f.bytes);
        o.dotCount = static_cast<int32_t>(o.dots.size());
    }
    return true;
}

LampKind::Record LampKind::store(const Object& o, StoreContext&) {
    Record r = stored::origin<Record>(o);
    stored::storeHead(o, r, kCode);
    r.attr = o.attr;
    r.address = static_cast<uint16_t>(o.address);
    r.areaAndBit = o.areaAndBit;
    r.setName(o.name); // the first 19 characters, zero-filled
    return r;
}

LampKind::Exchange LampKind::toExchange(const Object& o, MessageSink& sink) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    e.attr = o.attr;
    if (o.name.size() > exchange::kTextField) {
        sink.show(Message::text("the length of lampname in Lamp exceeded 100 num!"));
        return e;
    }
    exchange::putText(e.name, o.name);
    if (o.dots.size() > exchange::kDotField) {
        // The text says 100; the field holds 4096 bytes.
        sink.show(Message::text("the length of lampstr in Lamp exceeded 100 num!"));
        return e;
    }
    // A lamp whose file was missing has fewer dots than its count: copy what there is.
    size_t n = std::min(static_cast<size_t>(std::max(o.dotCount, 0)), o.dots.size());
    std::memcpy(e.dots, o.dots.data(), n);
    e.areaAndBit = o.areaAndBit;
    e.address = o.address;
    e.secondValue = o.secondValue;
    e.dotCount = o.dotCount;
    return e;
}

std::optional<LampKind::Object> LampKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode) || e.dotCount < 0 ||
        e.dotCount > static_cast<int32_t>(exchange::kDotField)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    o.attr = e.attr;
    o.areaAndBit = e.areaAndBit;
    o.address = e.address;
    o.name = exchange::fieldText(e.name, sizeof e.name);
    o.secondValue = e.secondValue;
    o.dotCount = e.dotCount;
    o.dots.assign(reinterpret_cast<const char*>(e.dots), static_cast<size_t>(e.dotCount));
    return o;
}

Rect LampKind::rect(const Object& o, const PictureTable&) {
    const int side = o.big() ? 64 : 32;
    return Rect::ofSize(o.x, o.y, side, side);
}

void LampKind::draw(const Object& o, ObjectCanvas& canvas) {
    const int size = o.dotCount == 512 ? 16 : 32;
    for (int k = 0; k < size; ++k) {
        // A lamp whose file was missing has no dots to show.
        const size_t row = static_cast<size_t>(k * 2 * size);
        if (row + static_cast<size_t>(size) <= o.dots.size()) {
            canvas.darkRuns(o.dots.data() + row, size, o.x, o.y + 2 * size - 2 * k);
        }
    }
}

void LampKind::settleForPaint(Object& o) {
    if (o.dotCount != 512) {
        o.dotCount = 2048;
    }
}

LampImageRecord LampKind::toImage(const Record& r, ImageContext& c) {
    LampImageRecord i;
    i.lampNumber = c.lampPicture(r);
    c.putHead(r, i);
    i.attributes = r.attr;
    i.address = r.address;
    i.areaBit = r.areaAndBit;
    return i;
}

ReportCells LampKind::reportCells(const Record& r) {
    ReportCells c{r.nameString(),
                  {Message::string(reporttext::kLampSize, {(r.attr & Record::kBig) ? "32" : "16"})}};
    if (r.attr & Record::kOnStateOnTop) {
        c.format.push_back(Message::string(reporttext::kOnStateOnTop));
    }
    return c;
}
} // namespace dispcraft
