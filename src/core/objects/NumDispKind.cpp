#include "objects/NumDispKind.h"

#include "base/MessageSink.h"
#include "objects/AttrBits.h"
#include "objects/ExchangeFields.h"
#include "objects/FieldCopy.h"
#include "objects/ImageContext.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"
#include "objects/TextPool.h"

#include <cmath>
#include <limits>
#include <algorithm>
#include <cstdio>

namespace dispcraft {

namespace {

// The fields the stored, working and exchange forms share, copied between any two of them.
template <typename From, typename To>
void copyFields(const From& from, To& to) {
    fieldcopy::copyRegisterFields(from, to);
    fieldcopy::copy(to.options, from.options);
    fieldcopy::copy(to.digits, from.digits);
    fieldcopy::copy(to.decimals, from.decimals);
    fieldcopy::copy(to.scaleBits, from.scaleBits);
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
    Record r = stored::origin<Record>(o);
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

namespace {

// The scale factor as a whole number, toward zero; values no 32-bit integer holds are clamped
// (and NaN is 0) instead of being left to the processor.
int32_t truncatedScale(float f) {
    if (std::isnan(f)) {
        return 0;
    }
    if (f >= 2147483648.0f) {
        return std::numeric_limits<int32_t>::max();
    }
    if (f <= -2147483648.0f) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(f);
}

} // namespace

NumDispImageRecord NumDispKind::toImage(const Record& r, const SideRecord& side, ImageContext& c) {
    NumDispImageRecord i;
    c.putHead(r, i);
    i.attributes = r.attr;
    i.options = r.options;
    i.areaBit = r.areaAndBit;
    i.address = r.address;
    i.digits = r.digits;
    i.decimals = r.decimals;
    i.maximum = r.maximum;
    i.minimum = r.minimum;
    i.scale = truncatedScale(r.scale());
    i.alarmHigh = side.high;
    i.alarmLow = side.low;
    return i;
}

std::vector<int> NumDispKind::imageOrder(std::span<const NumDispRecord> records) {
    const int count = static_cast<int>(records.size());
    std::vector<int> order;
    if (count <= 0) {
        return order;
    }
    if (count == 1) {
        order.push_back(0);
        return order;
    }
    // A selection in reading order on the stored coordinates: smaller y first, on equal y the
    // smaller x, and among equal positions the later record. The panel tools began the search at
    // y = 255, which never chose records further down and wrote some other record in their place;
    // starting from the first unplaced record keeps the same order for every record above that
    // line and places the others too, each exactly once.
    std::vector<bool> placed(static_cast<size_t>(count), false);
    for (int n = 0; n < count; ++n) {
        int choice = -1;
        int bestX = 0;
        int bestY = 0;
        for (int i = 0; i < count; ++i) {
            if (placed[i]) {
                continue;
            }
            const int rx = records[static_cast<size_t>(i)].x;
            const int ry = records[static_cast<size_t>(i)].y;
            if (choice < 0 || ry < bestY || (ry == bestY && rx <= bestX)) {
                choice = i;
                bestX = rx;
                bestY = ry;
            }
        }
        placed[choice] = true;
        order.push_back(choice);
    }
    return order;
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
