#pragma once

#include "base/Geometry.h"
#include "objects/BadReference.h"
#include "objects/MsgDispExchange.h"
#include "objects/MsgDispObject.h"
#include "objects/MsgDispRecord.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"

#include <optional>

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
    // Each of the sixteen texts that lies outside the screen's pool.
    static void findBadReferences(const Record& r, const ReferenceScope& scope, BadReferences& out);

    // Text 0 in font 0 stands for the display.
    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);
    static void settleForPaint(Object& o);
};

} // namespace dispcraft
