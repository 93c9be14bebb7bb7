#pragma once

#include "base/Geometry.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"
#include "objects/TrendGraphExchange.h"
#include "objects/TrendGraphObject.h"
#include "objects/TrendGraphRecord.h"

#include <optional>

namespace dispcraft {

class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

// A trend graph (see ObjectKinds for the members).
struct TrendGraphKind {
    using Record = TrendGraphRecord;
    using Object = TrendGraphObject;
    using Exchange = TrendGraphExchange;
    using Template = TrendGraphObject;
    static constexpr int kCode = kKindTrendGraph;
    static constexpr int kCapacity = 2;
    static constexpr const char* kName = "TrendGraph";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = true;
    static constexpr int kSummaryString = 63588;
    static constexpr int kFullString = 63502;

    static bool open(const Record& r, Object& o, OpenContext& c);
    static Record store(const Object& o, StoreContext& c);
    static Exchange toExchange(const Object& o, MessageSink& sink);
    static std::optional<Object> fromExchange(const Exchange& e);
    static Object place(const Template& t) { return t; }

    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);

    // The register it samples.
    static std::optional<PlcUse> plcUse(const Record& r) {
        return PlcUse::word(r.attr, r.areaAndBit, r.address);
    }
    // Range and coding as its dialog reads them, the sampling and the size.
    static ReportCells reportCells(const Record& r);
    // Dragged to a rectangle of view pixels: the width keeps to whole sample steps. True when
    // anything changed.
    static bool resizeTo(Object& o, const Rect& r);
};

} // namespace dispcraft
