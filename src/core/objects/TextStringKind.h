#pragma once

#include "objects/BadReference.h"
#include "objects/KindSupport.h"
#include "base/Geometry.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/ReportCells.h"
#include "objects/TextStringExchange.h"
#include "objects/TextStringImageRecord.h"
#include "objects/TextStringObject.h"
#include "objects/TextStringRecord.h"

#include <cstddef>
#include <optional>
#include <string>

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

    // Its text in the screen's text pool, and the most bytes its dialog takes: 24 in the narrow
    // fonts, 12 in the wide ones (a Chinese character counts 2); it takes no empty text.
    static constexpr int kTexts = 1;
    static constexpr bool kTextMayBeEmpty = false;
    static constexpr size_t textBytes(int font) { return font == 0 || font == 2 ? 24 : 12; }
    static size_t textLimit(const Record& r, int) { return textBytes(r.attr & 0x03); }
    static std::string text(const Record& r, int, const std::string& pool);
    static void setText(Record& r, int, std::string& pool, const std::string& text);
    static ReportCells reportCells(const Record& r, const std::string& pool);
};

} // namespace dispcraft
