#pragma once

#include "objects/BadReference.h"
#include "objects/KindSupport.h"
#include "objects/MsgDispExchange.h"
#include "objects/MsgDispImageRecord.h"
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

// A message display: sixteen texts, one shown at a time (see ObjectKinds for the members).
struct MsgDispKind {
    using Record = MsgDispRecord;
    using Object = MsgDispObject;
    using Exchange = MsgDispExchange;
    using ImageRecord = MsgDispImageRecord;
    using Template = MsgDispObject;
    static constexpr int kCode = kKindMsgDisp;
    static constexpr int kCapacity = 96;
    static constexpr const char* kName = "MsgDisp";
    static constexpr bool kKindByteOnly = true;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63583;
    static constexpr int kFullString = 63500;

    static bool open(const MsgDispRecord& r, MsgDispObject& o, OpenContext& c);
    static MsgDispRecord store(const MsgDispObject& o, StoreContext& c);
    // The first text over 100 bytes shows its record-length message and ends the record there.
    static MsgDispExchange toExchange(const MsgDispObject& o, MessageSink& sink);
    static std::optional<MsgDispObject> fromExchange(const MsgDispExchange& e);
    static MsgDispImageRecord toImage(const MsgDispRecord& r, ImageContext& c);
    static MsgDispObject place(const MsgDispObject& t) { return t; }
    // Each of the sixteen texts that lies outside the screen's pool.
    static void findBadReferences(const Record& r, const ReferenceScope& scope, BadReferences& out);

    // Text 0 in font 0 stands for the display.
    static Rect rect(const MsgDispObject& o, const PictureTable& pictures);
    static void draw(const MsgDispObject& o, ObjectCanvas& canvas);
    static void settleForPaint(MsgDispObject& o);

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
