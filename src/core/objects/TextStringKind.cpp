#include "objects/TextStringKind.h"

#include "base/MessageSink.h"
#include "objects/AttrBits.h"
#include "objects/ExchangeFields.h"
#include "objects/ImageContext.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"
#include "objects/TextPool.h"

namespace dispcraft {

bool TextStringKind::open(const Record& r, Object& o, OpenContext& c) {
    stored::openHead(r, o, kCode);
    o.attr = r.attr;
    o.text = textpool::cut(c.screenPool, r.textOffset, r.textLength);
    return true;
}

TextStringKind::Record TextStringKind::store(const Object& o, StoreContext& c) {
    Record r = stored::origin<Record>(o);
    stored::storeHead(o, r, kCode);
    r.attr = o.attr;
    r.textOffset = static_cast<uint32_t>(c.screenPool.size());
    r.textLength = textpool::append(c.screenPool, o.text);
    return r;
}

TextStringKind::Exchange TextStringKind::toExchange(const Object& o, MessageSink& sink) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    e.attr = o.attr;
    if (o.text.size() > exchange::kTextField) {
        sink.show(Message::text("the length of str in TextString exceed 100 num!"));
    } else {
        exchange::putText(e.text, o.text);
    }
    return e;
}

std::optional<TextStringKind::Object> TextStringKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    o.attr = e.attr;
    o.text = exchange::fieldText(e.text, sizeof e.text);
    return o;
}

TextStringKind::Object TextStringKind::place(const Template& t) {
    Object o;
    o.text = t.text;
    o.attr = t.attr;
    return o;
}

void TextStringKind::findBadReferences(const Record& r, const ReferenceScope& scope,
                                       BadReferences& out) {
    if (!textpool::inside(r.textOffset, r.textLength, scope.screenPoolSize)) {
        out.push_back({BadReference::What::Text, 0, 0});
    }
}

Rect TextStringKind::rect(const Object& o, const PictureTable&) {
    const int font = attrbits::fontOf(o.attr);
    return Rect::ofSize(o.x, o.y, static_cast<int>(o.text.size()) * cellWidth(font),
                        cellHeight(font));
}

void TextStringKind::draw(const Object& o, ObjectCanvas& canvas) {
    canvas.text(o.x, o.y, o.text, attrbits::fontOf(o.attr), (o.attr & attrbits::kReverse) != 0);
}

void TextStringKind::settleForPaint(Object& o) {
    if (o.text.empty()) {
        o.text.push_back(' '); // empty, so it becomes one blank
    }
}

TextStringImageRecord TextStringKind::toImage(const Record& r, ImageContext& c) {
    TextStringImageRecord i;
    c.putHead(r, i);
    i.attributes = r.attr;
    i.textStart = c.addScreenText(r.textOffset, r.textLength);
    c.endScreenTexts();
    return i;
}

std::string TextStringKind::text(const Record& r, int, const std::string& pool) {
    return textpool::cut(pool, r.textOffset, r.textLength);
}

void TextStringKind::setText(Record& r, int, std::string& pool, const std::string& text) {
    r.textOffset = static_cast<uint32_t>(pool.size());
    r.textLength = textpool::append(pool, text);
}

ReportCells TextStringKind::reportCells(const Record& r, const std::string& pool) {
    ReportCells c{text(r, 0, pool), {reporttext::fontName(attrbits::fontOf(r.attr))}};
    if (r.attr & attrbits::kReverse) {
        c.format.push_back(Message::string(reporttext::kReverse));
    }
    return c;
}

} // namespace dispcraft
