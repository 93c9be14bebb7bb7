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

namespace dispcraft {

namespace {

// The fields the stored, working and exchange forms share, copied between any two of them (each
// kept to the width of its target).
template <typename From, typename To>
void copyFields(const From& from, To& to) {
    to.attr = static_cast<decltype(to.attr)>(from.attr);
    to.options = static_cast<decltype(to.options)>(from.options);
    to.address = static_cast<decltype(to.address)>(from.address);
    to.digits = static_cast<decltype(to.digits)>(from.digits);
    to.decimals = static_cast<decltype(to.decimals)>(from.decimals);
    to.maximum = static_cast<decltype(to.maximum)>(from.maximum);
    to.minimum = static_cast<decltype(to.minimum)>(from.minimum);
    to.scaleBits = static_cast<decltype(to.scaleBits)>(from.scaleBits);
    to.areaAndBit = static_cast<decltype(to.areaAndBit)>(from.areaAndBit);
}

} // namespace

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
    copyFields(r, o);
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
    copyFields(o, r);
    // The preview goes to the project's shared pool; nothing reads it back.
    r.previewOffset = static_cast<uint32_t>(c.globalPool.size());
    r.previewLength = textpool::append(c.globalPool, o.preview);
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
    copyFields(o, e);
    exchange::putText(e.preview, o.preview);
    return e;
}

std::optional<NumDispKind::Object> NumDispKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    copyFields(e, o);
    o.preview = exchange::fieldText(e.preview, sizeof e.preview);
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

} // namespace dispcraft
