#include "objects/MsgDispKind.h"

#include "base/MessageSink.h"
#include "objects/AttrBits.h"
#include "objects/ExchangeFields.h"
#include "objects/ImageContext.h"
#include "objects/ObjectCanvas.h"
#include "objects/OpenContext.h"
#include "objects/StoreContext.h"
#include "objects/StoredCoordinates.h"
#include "objects/TextPool.h"

#include <algorithm>
#include <iterator>

namespace dispcraft {

bool MsgDispKind::open(const Record& r, Object& o, OpenContext& c) {
    stored::openHead(r, o, kCode);
    o.attr = r.attr;
    o.address = r.address;
    o.areaAndBit = r.areaAndBit;
    for (size_t k = 0; k < o.texts.size(); ++k) {
        o.texts[k] = textpool::cut(c.screenPool, r.textOffsets[k], r.textLengths[k]);
    }
    return true;
}

MsgDispKind::Record MsgDispKind::store(const Object& o, StoreContext& c) {
    Record r = stored::origin<Record>(o);
    stored::storeHead(o, r, kCode);
    r.attr = o.attr;
    r.address = static_cast<uint16_t>(o.address);
    r.areaAndBit = o.areaAndBit;
    for (size_t k = 0; k < o.texts.size(); ++k) {
        r.textOffsets[k] = static_cast<uint32_t>(c.screenPool.size());
        r.textLengths[k] = textpool::append(c.screenPool, o.texts[k]);
    }
    return r;
}

MsgDispKind::Exchange MsgDispKind::toExchange(const Object& o, MessageSink& sink) {
    auto e = exchange::zeroed<Exchange>();
    exchange::putHead(e, o);
    e.attr = o.attr;
    for (size_t k = 0; k < o.texts.size(); ++k) {
        if (o.texts[k].size() > exchange::kTextField) {
            sink.show(Message::text("the length of textdata in MsgDisp exceeded 100 num!"));
            return e;
        }
        exchange::putText(e.texts[k], o.texts[k]);
    }
    e.address = o.address;
    e.areaAndBit = o.areaAndBit;
    return e;
}

std::optional<MsgDispKind::Object> MsgDispKind::fromExchange(const Exchange& e) {
    if (!exchange::pastable(e, kCode)) {
        return std::nullopt;
    }
    Object o;
    exchange::takeHead(o, e);
    o.attr = e.attr;
    for (size_t k = 0; k < o.texts.size(); ++k) {
        o.texts[k] = exchange::fieldText(e.texts[k], exchange::kTextField);
    }
    o.address = e.address;
    o.areaAndBit = e.areaAndBit;
    return o;
}

void MsgDispKind::findBadReferences(const Record& r, const ReferenceScope& scope,
                                    BadReferences& out) {
    for (int k = 0; k < Record::kTexts; ++k) {
        if (!textpool::inside(r.textOffsets[k], r.textLengths[k], scope.screenPoolSize)) {
            out.push_back({BadReference::What::Text, k + 1, 0});
        }
    }
}

Rect MsgDispKind::rect(const Object& o, const PictureTable&) {
    return Rect::ofSize(o.x, o.y, static_cast<int>(o.texts[0].size()) * cellWidth(0),
                        cellHeight(0));
}

void MsgDispKind::draw(const Object& o, ObjectCanvas& canvas) {
    canvas.text(o.x, o.y, o.texts[0], 0, (o.attr & attrbits::kReverse) != 0);
}

void MsgDispKind::settleForPaint(Object& o) {
    if (o.texts[0].empty()) {
        o.texts[0].push_back(' '); // empty, so it becomes one blank
    }
}

MsgDispImageRecord MsgDispKind::toImage(const Record& r, ImageContext& c) {
    static_assert(MsgDispRecord::kTexts == MsgDispImageRecord::kMessages);
    MsgDispImageRecord i;
    c.putHead(r, i);
    i.attributes = r.attr;
    i.address = r.address;
    // The sixteen texts follow one another in the list with one end after the last.
    for (int t = 0; t < MsgDispRecord::kTexts; ++t) {
        i.textStarts[t] = c.addScreenText(r.textOffsets[t], r.textLengths[t]);
    }
    c.endScreenTexts();
    for (int t = 0; t < MsgDispRecord::kTexts; ++t) {
        i.textLengths[t] = c.builtTextLength(r.textOffsets[t], r.textLengths[t]);
    }
    i.longestLength = *std::max_element(i.textLengths.begin(), i.textLengths.end());
    i.areaBit = r.areaAndBit;
    return i;
}

std::string MsgDispKind::text(const Record& r, int i, const std::string& pool) {
    return textpool::cut(pool, r.textOffsets[i], r.textLengths[i]);
}

void MsgDispKind::setText(Record& r, int i, std::string& pool, const std::string& text) {
    r.textOffsets[i] = static_cast<uint32_t>(pool.size());
    r.textLengths[i] = textpool::append(pool, text);
}

ReportCells MsgDispKind::reportCells(const Record& r, const std::string& pool) {
    ReportCells c;
    for (int i = 0; i < kTexts; ++i) {
        const std::string t = text(r, i, pool);
        if (!t.empty()) {
            c.text += (c.text.empty() ? "" : " / ") + std::to_string(i) + " " + t;
        }
    }
    if (r.attr & attrbits::kReverse) {
        c.format.push_back(Message::string(reporttext::kReverse));
    }
    return c;
}
} // namespace dispcraft
