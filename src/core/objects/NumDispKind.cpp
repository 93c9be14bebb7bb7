#include "objects/NumDispKind.h"

#include "base/MessageSink.h"
#include "objects/AttrBits.h"
#include "objects/ExchangeFields.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"
#include "objects/TextPool.h"

#include <algorithm>
#include <cstdio>

namespace dispcraft {

std::string NumDispKind::previewText(bool isSigned, int digits, int decimals) {
    static const std::string kDigits = "1234567890";
    std::string s = isSigned ? "-" : "";
    const int whole = std::max(0, std::min(10, digits - decimals));
    s += kDigits.substr(0, static_cast<size_t>(whole));
    if (decimals > 0) {
        s += ".";
        s += kDigits.substr(static_cast<size_t>(whole),
                            static_cast<size_t>(std::min(decimals, 10 - whole)));
    }
    return s;
}

bool NumDispKind::open(const Record& r, Object& o, OpenContext& c) {
    stored::openHead(r, o, kCode);
    o.address = r.address;
    o.maximum = r.maximum;
    o.minimum = r.minimum;
    o.scaleBits = r.scaleBits;
    o.attr = r.attr;
    o.options = r.options;
    o.digits = r.digits;
    o.decimals = r.decimals;
    o.areaAndBit = r.areaAndBit;
    if (r.digits - 1 < r.decimals) {
        c.sink.show(Message::string(kTooManyDecimalsString));
        return false;
    }
    o.preview = previewText((r.attr & Record::kSigned) != 0, r.digits, r.decimals);
    return true;
}

NumDispKind::Record NumDispKind::store(const Object& o, StoreContext& c) {
    Record r{};
    stored::storeHead(o, r, kCode);
    r.attr = o.attr;
    r.options = o.options;
    r.address = static_cast<uint16_t>(o.address);
    r.maximum = o.maximum;
    r.minimum = o.minimum;
    r.scaleBits = o.scaleBits;
    // The preview goes to the project's shared pool; nothing reads it back.
    r.previewOffset = static_cast<uint32_t>(c.globalPool.size());
    r.previewLength = textpool::append(c.globalPool, o.preview);
    r.digits = static_cast<uint8_t>(o.digits);
    r.decimals = static_cast<uint8_t>(o.decimals);
    r.areaAndBit = o.areaAndBit;
    return r;
}

NumDispKind::Exchange NumDispKind::toExchange(const Object& o, MessageSink& sink) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    e.attr = o.attr;
    if (o.preview.size() > exchange::kTextField) {
        sink.show(Message::text("the length of dispdata in NumDisp exceeded 100 num!"));
        return e;
    }
    e.options = o.options;
    e.address = o.address;
    e.digits = o.digits;
    e.decimals = o.decimals;
    e.maximum = o.maximum;
    e.minimum = o.minimum;
    exchange::putText(e.preview, o.preview);
    e.scaleBits = o.scaleBits;
    e.areaAndBit = o.areaAndBit;
    return e;
}

std::optional<NumDispKind::Object> NumDispKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    o.attr = e.attr;
    o.options = e.options;
    o.address = e.address;
    o.digits = e.digits;
    o.decimals = e.decimals;
    o.maximum = e.maximum;
    o.minimum = e.minimum;
    o.preview = exchange::fieldText(e.preview, sizeof e.preview);
    o.scaleBits = e.scaleBits;
    o.areaAndBit = e.areaAndBit;
    return o;
}

Rect NumDispKind::rect(const Object& o, const PictureTable&) {
    const int font = attrbits::fontOf(o.attr);
    return Rect::ofSize(o.x, o.y, static_cast<int>(o.preview.size()) * cellWidth(font),
                        cellHeight(font));
}

void NumDispKind::draw(const Object& o, ObjectCanvas& canvas) {
    const bool placeholder = o.shortForm() && o.address == kWeekdayField;
    canvas.text(o.x, o.y, placeholder ? canvas.weekdayPlaceholder() : o.preview,
                attrbits::fontOf(o.attr), (o.attr & attrbits::kReverse) != 0);
}


ReportCells NumDispKind::reportCells(const Record& r, const SideRecord& side) {
    using namespace reporttext;
    ReportCells c;
    if (r.clockField()) {
        c.format.push_back(Message::string(kClock));
        if (r.address <= kLastClockField) {
            c.format.push_back(Message::string(kFirstClockField + r.address));
        }
    } else {
        const bool isSigned = (r.attr & Record::kSigned) != 0;
        c.text = previewText(isSigned, r.digits, r.decimals);
        c.format.push_back(
            Message::string(kDigits, {std::to_string(r.digits), std::to_string(r.decimals)}));
        c.format.push_back(coding((r.attr & Record::kBcd) ? kBcd : isSigned ? kSigned : kUnsigned));
        c.format.push_back(width((r.attr & Record::kWide) != 0));
        if (r.attr & Record::kEntry) {
            c.format.push_back(Message::string(
                kEntry, {std::to_string(r.minimum), std::to_string(r.maximum)}));
        }
        if ((r.options & Record::kScaled) && r.scale() != 1.0f) {
            char factor[32];
            std::snprintf(factor, sizeof factor, "%g", static_cast<double>(r.scale()));
            c.format.push_back(Message::string(kScaled, {factor}));
        }
        if (r.options & Record::kAlarmRange) {
            c.format.push_back(Message::string(
                kAlarmRange, {std::to_string(side.low), std::to_string(side.high)}));
        }
    }
    c.format.push_back(fontName(attrbits::fontOf(r.attr)));
    if (r.attr & attrbits::kReverse) {
        c.format.push_back(Message::string(kReverse));
    }
    return c;
}

} // namespace dispcraft
