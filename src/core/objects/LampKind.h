#pragma once

#include "objects/KindSupport.h"
#include "objects/LampExchange.h"
#include "objects/LampImageRecord.h"
#include "objects/LampObject.h"
#include "objects/LampRecord.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"

#include <optional>

namespace dispcraft {

// A lamp (see ObjectKinds for the members).
struct LampKind {
    using Record = LampRecord;
    using Object = LampObject;
    using Exchange = LampExchange;
    using ImageRecord = LampImageRecord;
    using Template = LampObject;
    static constexpr int kCode = kKindLamp;
    static constexpr int kCapacity = 48;
    static constexpr const char* kName = "Lamp";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63586;
    static constexpr int kFullString = 63503;
    static constexpr int kFileMissingString = 61558; // the default picture stands in
    static constexpr int kNoPictureString = 61559;   // not even the default opens
    // The pictures that stand in for a lamp whose own file does not open.
    static constexpr const char* kDefault16 = "lamp01_16x16";
    static constexpr const char* kDefault32 = "lamp20_32x32";

    // The dots come from the lamp's file, else from the default picture of its size (61558);
    // when that does not open either (61559) the opening stops.
    static bool open(const LampRecord& r, LampObject& o, OpenContext& c);
    static LampRecord store(const LampObject& o, StoreContext& c);
    // A name over 100 bytes or more than 4096 dots show their record-length messages and leave
    // the rest of the record empty.
    static LampExchange toExchange(const LampObject& o, MessageSink& sink);
    static std::optional<LampObject> fromExchange(const LampExchange& e);
    static LampImageRecord toImage(const LampRecord& r, ImageContext& c);
    static LampObject place(const LampObject& t) { return t; }

    static Rect rect(const LampObject& o, const PictureTable& pictures);
    static void draw(const LampObject& o, ObjectCanvas& canvas);
    // Any dot count but 512 is drawn as a 32-dot lamp.
    static void settleForPaint(LampObject& o);

    // The bit that chooses its picture.
    static std::optional<PlcUse> plcUse(const Record& r) {
        return PlcUse::bitOf(r.attr, r.areaAndBit, r.address);
    }
    // The lamp picture's name, its size and the picture order.
    static ReportCells reportCells(const Record& r);
};

} // namespace dispcraft
