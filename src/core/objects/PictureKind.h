#pragma once

#include "base/Geometry.h"
#include "objects/BadReference.h"
#include "objects/ObjectKind.h"
#include "objects/PictureExchange.h"
#include "objects/PictureObject.h"
#include "objects/PictureObjectRecord.h"
#include "objects/PictureTable.h"

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
    // The record keeps the size its entry has at the time; a picture that is not defined keeps
    // the size the record had.
    static Record store(const Object& o, StoreContext& c);
    static Exchange toExchange(const Object& o, MessageSink& sink);
    static std::optional<Object> fromExchange(const Exchange& e);
    static Object place(const Template& t) { return t; }

    // A picture that is not defined.
    static void findBadReferences(const Record& r, const ReferenceScope& scope, BadReferences& out);

    // The size of its entry. A picture that is not defined stays on the screen as a marked cell
    // of kMissingSide pixels, so that it can be chosen, edited or deleted: removing it while
    // painting would drop it from the project the next time the screen is stored, though
    // nobody deleted it (the panel shows nothing for it either way).
    static constexpr int kMissingSide = 16;
    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);
};

} // namespace dispcraft
