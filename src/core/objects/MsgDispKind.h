#pragma once

#include "objects/BadReference.h"
#include "objects/KindSupport.h"
#include "objects/MsgDispExchange.h"
#include "objects/MsgDispImageRecord.h"
#include "objects/MsgDispObject.h"
#include "objects/MsgDispRecord.h"

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
};

} // namespace dispcraft
