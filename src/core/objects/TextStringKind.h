#pragma once

#include "base/Geometry.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/ReportCells.h"
#include "objects/TextStringExchange.h"
#include "objects/TextStringObject.h"
#include "objects/TextStringRecord.h"

#include <cstddef>
#include <optional>
#include <string>

namespace dispcraft {

class MessageSink;
class ObjectCanvas;
struct OpenContext;
struct StoreContext;

// A static text: its records and everything done with one whatever kind it is (see ObjectKinds).
struct TextStringKind {
    using Record = TextStringRecord;
    using Object = TextStringObject;
    using Exchange = TextStringExchange;
    using Template = TextStringTemplate;
    static constexpr int kCode = kKindTextString;
    static constexpr int kCapacity = 96;
    static constexpr const char* kName = "TextString";
    static constexpr bool kKindByteOnly = false;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63582; // "TextString: %s"
    static constexpr int kFullString = 61503;    // no free slot left

    static bool open(const Record& r, Object& o, OpenContext& c);
    static Record store(const Object& o, StoreContext& c);
    // A text over 100 bytes shows its record-length message and travels empty.
    static Exchange toExchange(const Object& o, MessageSink& sink);
    static std::optional<Object> fromExchange(const Exchange& e);
    static Object place(const Template& t);
    static bool textsInside(const Record& r, size_t poolSize);

    static Rect rect(const Object& o, const PictureTable& pictures);
    static void draw(const Object& o, ObjectCanvas& canvas);
    // An empty text is drawn, sized and kept as one blank, so that it can still be clicked.
    static void settleForPaint(Object& o);

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
