#pragma once

#include "objects/KindSupport.h"
#include "base/Geometry.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"
#include "objects/TrendGraphExchange.h"
#include "objects/TrendGraphImageRecord.h"
#include "objects/TrendGraphObject.h"
#include "objects/TrendGraphRecord.h"

namespace dispcraft {

// A trend graph (see ObjectKinds for the members).
struct TrendGraphKind {
    using Record = TrendGraphRecord;
    using Object = TrendGraphObject;
    using Exchange = TrendGraphExchange;
    using ImageRecord = TrendGraphImageRecord;
    using Template = TrendGraphObject;
    static constexpr int kCode = kKindTrendGraph;
    static constexpr int kCapacity = 2;
    static constexpr const char* kName = "TrendGraph";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = true;
    static constexpr int kSummaryString = 63588;
    static constexpr int kFullString = 63502;

    static bool open(const TrendGraphRecord& r, TrendGraphObject& o, OpenContext& c);
    static TrendGraphRecord store(const TrendGraphObject& o, StoreContext& c);
    static TrendGraphExchange toExchange(const TrendGraphObject& o, MessageSink& sink);
    static std::optional<TrendGraphObject> fromExchange(const TrendGraphExchange& e);
    static TrendGraphImageRecord toImage(const TrendGraphRecord& r, ImageContext& c);
    static TrendGraphObject place(const TrendGraphObject& t) { return t; }

    static Rect rect(const TrendGraphObject& o, const PictureTable& pictures);
    static void draw(const TrendGraphObject& o, ObjectCanvas& canvas);

    // The register it samples.
    static std::optional<PlcUse> plcUse(const Record& r) {
        return PlcUse::word(r.attr, r.areaAndBit, r.address);
    }
    // Range and coding as its dialog reads them, the sampling and the size.
    static ReportCells reportCells(const Record& r);
    // Dragged to a rectangle of view pixels: the width keeps to whole sample steps. True when
    // anything changed.
    static bool resizeTo(TrendGraphObject& o, const Rect& r);
};

} // namespace dispcraft
