#pragma once

#include "objects/BadReference.h"
#include "objects/KindSupport.h"
#include "objects/TextStringExchange.h"
#include "objects/TextStringImageRecord.h"
#include "objects/TextStringObject.h"
#include "objects/TextStringRecord.h"

namespace dispcraft {

// A static text: its records and everything done with one whatever kind it is (see ObjectKinds).
struct TextStringKind {
    using Record = TextStringRecord;
    using Object = TextStringObject;
    using Exchange = TextStringExchange;
    using ImageRecord = TextStringImageRecord;
    using Template = TextStringTemplate;
    static constexpr int kCode = kKindTextString;
    static constexpr int kCapacity = 96;
    static constexpr const char* kName = "TextString";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63582; // "TextString: %s"
    static constexpr int kFullString = 61503;    // no free slot left

    static bool open(const TextStringRecord& r, TextStringObject& o, OpenContext& c);
    static TextStringRecord store(const TextStringObject& o, StoreContext& c);
    // A text over 100 bytes shows its record-length message and travels empty.
    static TextStringExchange toExchange(const TextStringObject& o, MessageSink& sink);
    static std::optional<TextStringObject> fromExchange(const TextStringExchange& e);
    static TextStringImageRecord toImage(const TextStringRecord& r, ImageContext& c);
    static TextStringObject place(const TextStringTemplate& t);
    // A text outside the screen's pool.
    static void findBadReferences(const Record& r, const ReferenceScope& scope, BadReferences& out);

    static Rect rect(const TextStringObject& o, const PictureTable& pictures);
    static void draw(const TextStringObject& o, ObjectCanvas& canvas);
    // An empty text is drawn, sized and kept as one blank, so that it can still be clicked.
    static void settleForPaint(TextStringObject& o);
};

} // namespace dispcraft
