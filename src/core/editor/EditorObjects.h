#pragma once

#include "model/Capacity.h"

#include <array>
#include <cstdint>
#include <string>

namespace dispcraft {

// Working records of a screen window. Coordinates are view pixels, texts are GB2312 byte strings
// that may grow; the stored and exchange forms are made from these on demand.

constexpr uint32_t kSelectedBit = 0x80;

// Common head of every working record. A slot is in use when the low 7 bits of kindWord equal its
// list's kind; bit 7 marks it selected; 0 marks a free slot. MsgDisp and NumDisp only look at the
// low byte.
struct EditorObject {
    uint32_t kindWord = 0;
    int32_t x = 0;
    int32_t y = 0;

    bool occupies(int kind) const { return (kindWord & 0x7F) == static_cast<uint32_t>(kind); }
    bool isSelectedAs(int kind) const { return kindWord == static_cast<uint32_t>(kind) + kSelectedBit; }
    void select(bool on) {
        if (on) {
            kindWord |= kSelectedBit;
        } else {
            kindWord &= ~kSelectedBit;
        }
    }
};

struct TextStringObject : EditorObject {
    uint8_t attr = 0; // bits 0-1 font index, bit 7 reverse
    std::string text;
};

struct MsgDispObject : EditorObject {
    uint8_t attr = 0; // bit 7 reverse; always drawn with font 0
    std::array<std::string, 16> texts;
    int32_t value = 0; // the stored record keeps the low 16 bits
    uint8_t trailing = 0;
};

struct NumDispObject : EditorObject {
    uint8_t attr = 0;   // bits 0-1 font, bit 3 signed, bit 5 option, bit 6 short form, bit 7 reverse
    uint8_t flags2 = 0; // bit 0 short form, bit 7 option
    // settings[0] = setting 1 (format code), [1] = setting 2 (digits), [2] = setting 3 (decimals),
    // [3] and [4] = settings 4 and 5.
    std::array<int32_t, 5> settings{};
    std::string preview; // drawn and sized in place of the value
    uint32_t trailingValue = 0; // bits of the single-precision scale factor
    uint8_t trailing = 0;

    int32_t& setting(int n) { return settings[static_cast<size_t>(n - 1)]; }
    int32_t setting(int n) const { return settings[static_cast<size_t>(n - 1)]; }
    // Flag byte 2 bit 0 is also a normal display's scale option, so the clock form is recognised
    // by everything its placement and edits leave behind: attribute bit 6, no decimals and no
    // scale factor. A scaled display then keeps its own dialog instead of being wiped by the
    // clock dialog.
    bool shortForm() const {
        return (flags2 & 0x01) != 0 && (attr & 0x40) != 0 && settings[2] == 0 &&
               trailingValue == 0;
    }
};

// The two values that travel beside NumDisp i.
struct SidePair {
    int32_t value1 = 0;
    int32_t value2 = 0;
    bool operator==(const SidePair&) const = default;
};

struct BarGraphObject : EditorObject {
    uint8_t attr = 0; // bit 0 horizontal, bit 1 fill direction
    int32_t setting1 = 0;
    int32_t setting2 = 0;
    int32_t setting3 = 0;
    int32_t length = 0;    // dots
    int32_t thickness = 0; // dots
    uint8_t style = 0;

    bool horizontal() const { return (attr & 0x01) != 0; }
};

struct TrendGraphObject : EditorObject {
    uint8_t attr = 0;
    int32_t setting1 = 0;
    int32_t setting2 = 0;
    int32_t setting3 = 0;
    int32_t height = 0; // dots
    int32_t width = 0;  // dots
    int32_t setting4 = 0;
    int32_t spacing = 0; // sample spacing in dots
    int32_t pointCount = 0;
    uint8_t trailing = 0;
};

struct LampObject : EditorObject {
    uint8_t attr = 0; // bit 6 = 32 x 32-dot lamp, else 16 x 16
    uint8_t flags2 = 0;
    int32_t value = 0;
    std::string name; // lamp file name without directory and extension
    int32_t value2 = 0;
    int32_t dotCount = 0; // 512 or 2048 once the dots are loaded
    std::string dots;     // one byte per dot, each row holding both lamp states; 0 = dark

    bool big() const { return (attr & 0x40) != 0; }
};

struct PictureObject : EditorObject {
    uint8_t pictureNo = 0; // 1..29, an entry of the picture table
};

// What the TextString dialog leaves for placement: only these two fields.
struct TextStringTemplate {
    std::string text;
    uint8_t attr = 0;
};

// The record each placement copies, one per kind, filled by the kind's property dialog.
struct ObjectTemplates {
    TextStringTemplate textString;
    MsgDispObject msgDisp;
    NumDispObject numDisp;
    SidePair numDispSide;
    BarGraphObject barGraph;
    TrendGraphObject trendGraph;
    LampObject lamp;
    PictureObject picture;
};

// The working lists of one screen window, each contiguous from slot 0.
struct ScreenObjects {
    std::array<TextStringObject, capacity::kTextStrings> textStrings;
    std::array<MsgDispObject, capacity::kMsgDisps> msgDisps;
    std::array<NumDispObject, capacity::kNumDisps> numDisps;
    std::array<SidePair, capacity::kNumDisps> numDispSides{};
    std::array<BarGraphObject, capacity::kBarGraphs> barGraphs;
    std::array<TrendGraphObject, capacity::kTrendGraphs> trendGraphs;
    std::array<LampObject, capacity::kLamps> lamps;
    std::array<PictureObject, capacity::kPictureObjects> pictures;

    // Kinds 1..7 in the order every scan uses.
    static constexpr std::array<int, 7> kKinds = {kKindTextString, kKindMsgDisp, kKindNumDisp,
                                                  kKindBarGraph,   kKindTrendGraph, kKindLamp,
                                                  kKindPicture};
    static int capacityOf(int kind);
    // The head of slot i of a kind's list (kind 1..7, i below its capacity).
    EditorObject& head(int kind, int i);
    const EditorObject& head(int kind, int i) const;
    bool occupied(int kind, int i) const { return head(kind, i).occupies(kind); }
    int count(int kind) const;      // occupied slots
    int firstFree(int kind) const;  // -1 when the list is full
    bool anySelected() const;
    void deselectAll();
    void clear();
    // Frees slot i and closes the gap; NumDisp side pairs move along.
    void removeAt(int kind, int i);
};

} // namespace dispcraft
