#pragma once

#include "objects/BarGraphExchange.h"
#include "objects/BarGraphImageRecord.h"
#include "objects/BarGraphObject.h"
#include "objects/BarGraphRecord.h"
#include "objects/KindSupport.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"

#include <optional>

namespace dispcraft {

// A bar graph (see ObjectKinds for the members).
struct BarGraphKind {
    using Record = BarGraphRecord;
    using Object = BarGraphObject;
    using Exchange = BarGraphExchange;
    using ImageRecord = BarGraphImageRecord;
    using Template = BarGraphObject;
    static constexpr int kCode = kKindBarGraph;
    static constexpr int kCapacity = 48;
    static constexpr const char* kName = "BarGraph";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = true;
    static constexpr int kSummaryString = 63585;
    static constexpr int kFullString = 63501;

    static bool open(const BarGraphRecord& r, BarGraphObject& o, OpenContext& c);
    static BarGraphRecord store(const BarGraphObject& o, StoreContext& c);
    static BarGraphExchange toExchange(const BarGraphObject& o, MessageSink& sink);
    static std::optional<BarGraphObject> fromExchange(const BarGraphExchange& e);
    static BarGraphImageRecord toImage(const BarGraphRecord& r, ImageContext& c);
    static BarGraphObject place(const BarGraphObject& t) { return t; }

    // Length along the bar's direction, thickness across it.
    static Rect rect(const BarGraphObject& o, const PictureTable& pictures);
    static void draw(const BarGraphObject& o, ObjectCanvas& canvas);
    // Dragged to a rectangle of view pixels; true when anything changed.
    static bool resizeTo(BarGraphObject& o, const Rect& r);

    // The register whose value the bar shows.
    static std::optional<PlcUse> plcUse(const Record& r) {
        return PlcUse::word(r.attr, r.areaAndBit, r.address);
    }
    // Range and coding as its dialog reads them, direction and size.
    static ReportCells reportCells(const Record& r);
};

} // namespace dispcraft
