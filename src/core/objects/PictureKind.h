#pragma once

#include "objects/BadReference.h"
#include "objects/KindSupport.h"
#include "objects/PictureExchange.h"
#include "objects/PictureImageRecord.h"
#include "objects/PictureObject.h"
#include "objects/PictureObjectRecord.h"
#include "objects/PictureTable.h"
#include "objects/ReportCells.h"

#include <optional>

namespace dispcraft {

// A picture of the project's picture table placed on a screen (see ObjectKinds for the members).
struct PictureKind {
    using Record = PictureObjectRecord;
    using Object = PictureObject;
    using Exchange = PictureExchange;
    using ImageRecord = PictureImageRecord;
    using Template = PictureObject;
    static constexpr int kCode = kKindPicture;
    static constexpr int kCapacity = 48;
    static constexpr const char* kName = "Picture";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63587;
    static constexpr int kFullString = 63504;

    static bool open(const PictureObjectRecord& r, PictureObject& o, OpenContext& c);
    // The record keeps the size its entry has at the time; a picture that is not defined keeps
    // the size the record had.
    static PictureObjectRecord store(const PictureObject& o, StoreContext& c);
    static PictureExchange toExchange(const PictureObject& o, MessageSink& sink);
    static std::optional<PictureObject> fromExchange(const PictureExchange& e);
    static PictureImageRecord toImage(const PictureObjectRecord& r, ImageContext& c);
    static PictureObject place(const PictureObject& t) { return t; }

    // A picture that is not defined.
    static void findBadReferences(const Record& r, const ReferenceScope& scope, BadReferences& out);

    // The size of its entry. A picture that is not defined stays on the screen as a marked cell
    // of kMissingSide pixels, so that it can be chosen, edited or deleted: removing it while
    // painting would drop it from the project the next time the screen is stored, though
    // nobody deleted it (the panel shows nothing for it either way).
    static constexpr int kMissingSide = 16;
    static Rect rect(const PictureObject& o, const PictureTable& pictures);
    static void draw(const PictureObject& o, ObjectCanvas& canvas);

    // Its entry of the picture table and the size the record keeps.
    static ReportCells reportCells(const Record& r) {
        return {{},
                {Message::string(reporttext::kPicture, {std::to_string(r.pictureNo)}),
                 reporttext::dots(r.width, r.height)}};
    }
};

} // namespace dispcraft
