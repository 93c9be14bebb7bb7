#pragma once

#include "base/Geometry.h"
#include "objects/BarGraphExchange.h"
#include "objects/BarGraphObject.h"
#include "objects/BarGraphRecord.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"

#include <optional>

namespace dispcraft {

class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

// A bar graph (see ObjectKinds for the members).
struct BarGraphKind {
    using Record = BarGraphRecord;
    using Object = BarGraphObject;
    using Exchange = BarGraphExchange;
    using Template = BarGraphObject;
    static constexpr int kCode = kKindBarGraph;
    static constexpr int kCapacity = 48;
    static constexpr const char* kName = "BarGraph";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = true;
    static constexpr int kSummaryString = 63585;
    static constexpr int kFullString = 63501;

    static bool open(const Record& r, Object& o, OpenContext& c);
    static Record store(const Object& o, StoreContext& c);
    static Exchange toExchange(const Object& o, MessageSink& sink);
    static std::optional<Object> fromExchange(const Exchange& e);
    static Object place(const Template& t) { return t; }

    // Length along the bar's direction, thickness across it.
    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);
    // Dragged to a rectangle of view pixels; true when anything changed.
    static bool resizeTo(Object& o, const Rect& r);

    // The register whose value the bar shows.
    static std::optional<PlcUse> plcUse(const Record& r) {
        return PlcUse::word(r.attr, r.areaAndBit, r.address);
    }
    // Range and coding as its dialog reads them, direction and size.
    static ReportCells reportCells(const Record& r);
};

} // namespace dispcraft
