#pragma once

#include "base/Geometry.h"
#include "objects/MsgDispExchange.h"
#include "objects/MsgDispObject.h"
#include "objects/MsgDispRecord.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"

#include <cstddef>
#include <optional>
#include <string>

namespace dispcraft {

class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

// A message display: sixteen texts, one shown at a time (see ObjectKinds for the members).
struct MsgDispKind {
    using Record = MsgDispRecord;
    using Object = MsgDispObject;
    using Exchange = MsgDispExchange;
    using Template = MsgDispObject;
    static constexpr int kCode = kKindMsgDisp;
    static constexpr int kCapacity = 96;
    static constexpr const char* kName = "MsgDisp";
    static constexpr bool kKindByteOnly = true;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63583;
    static constexpr int kFullString = 63500;

    static bool open(const Record& r, Object& o, OpenContext& c);
    static Record store(const Object& o, StoreContext& c);
    // The first text over 100 bytes shows its record-length message and ends the record there.
    static Exchange toExchange(const Object& o, MessageSink& sink);
    static std::optional<Object> fromExchange(const Exchange& e);
    static Object place(const Template& t) { return t; }
    static bool textsInside(const Record& r, size_t poolSize);

    // Text 0 in font 0 stands for the display.
    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);
    static void settleForPaint(Object& o);

    // The panel shows the text the register's value selects.
    static std::optional<PlcUse> plcUse(const Record& r) {
        return PlcUse::word(r.attr, r.areaAndBit, r.address);
    }
    // Its sixteen texts in the screen's text pool; its dialog takes 24 bytes for each.
    static constexpr int kTexts = Record::kTexts;
    static constexpr bool kTextMayBeEmpty = true;
    static size_t textLimit(const Record&, int) { return 24; }
    static std::string text(const Record& r, int i, const std::string& pool);
    static void setText(Record& r, int i, std::string& pool, const std::string& text);
    // The texts that are not empty, each after the value that selects it.
    static ReportCells reportCells(const Record& r, const std::string& pool);
};

} // namespace dispcraft
