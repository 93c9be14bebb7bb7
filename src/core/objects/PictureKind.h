#pragma once

#include "base/Geometry.h"
#include "objects/ObjectKind.h"
#include "objects/PictureExchange.h"
#include "objects/PictureObject.h"
#include "objects/PictureObjectRecord.h"
#include "objects/PictureTable.h"
#include "objects/ReportCells.h"

#include <optional>

namespace dispcraft {

class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

// A picture of the project's picture table placed on a screen (see ObjectKinds for the members).
struct PictureKind {
    using Record = PictureObjectRecord;
    using Object = PictureObject;
    using Exchange = PictureExchange;
    using Template = PictureObject;
    static constexpr int kCode = kKindPicture;
    static constexpr int kCapacity = 48;
    static constexpr const char* kName = "Picture";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63587;
    static constexpr int kFullString = 63504;

    static bool open(const Record& r, Object& o, OpenContext& c);
    // The record keeps the size its entry has at the time.
    static Record store(const Object& o, StoreContext& c);
    static Exchange toExchange(const Object& o, MessageSink& sink);
    static std::optional<Object> fromExchange(const Exchange& e);
    static Object place(const Template& t) { return t; }

    // The size of its entry; nothing while the entry is not defined.
    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);
    // A picture whose entry is no longer defined leaves the screen.
    static bool keepsOnPaint(const Object& o, const PictureTable& pictures) {
        return definedPicture(pictures, o.pictureNo) != nullptr;
    }

    // Its entry of the picture table and the size the record keeps.
    static ReportCells reportCells(const Record& r) {
        return {{},
                {Message::string(reporttext::kPicture, {std::to_string(r.pictureNo)}),
                 reporttext::dots(r.width, r.height)}};
    }
};

} // namespace dispcraft
