#pragma once

#include "objects/KindSupport.h"
#include "objects/NumDispExchange.h"
#include "objects/NumDispImageRecord.h"
#include "objects/NumDispObject.h"
#include "objects/NumDispRecord.h"
#include "objects/NumDispSideRecord.h"
#include "objects/ObjectKind.h"
#include "objects/PictureTable.h"
#include "objects/PlcUse.h"
#include "objects/ReportCells.h"

#include <span>
#include <string>
#include <vector>

namespace dispcraft {

// A numeric display, with a side pair beside each record (see ObjectKinds for the members).
struct NumDispKind {
    using Record = NumDispRecord;
    using Object = NumDispObject;
    using Exchange = NumDispExchange;
    using ImageRecord = NumDispImageRecord;
    using Template = NumDispObject;
    using SideRecord = NumDispSideRecord;
    using Side = SidePair;
    using SideExchange = SidePairExchange;
    static constexpr int kCode = kKindNumDisp;
    static constexpr int kCapacity = 96;
    static constexpr const char* kName = "NumDisp";
    static constexpr bool kKindByteOnly = true;
    static constexpr bool kResizable = false;
    static constexpr int kSummaryString = 63584;
    static constexpr int kFullString = 63500;
    static constexpr int kTooManyDecimalsString = 61557;
    static constexpr int kWeekdayField = 5; // the clock field drawn with the placeholder
    static constexpr int kLastClockField = 6; // the year

    // A record with more decimals than its digits allow (61557) stops the opening.
    static bool open(const NumDispRecord& r, NumDispObject& o, OpenContext& c);
    static NumDispRecord store(const NumDispObject& o, StoreContext& c);
    // A preview over 100 bytes shows its record-length message and only the head travels.
    static NumDispExchange toExchange(const NumDispObject& o, MessageSink& sink);
    static std::optional<NumDispObject> fromExchange(const NumDispExchange& e);
    // The record of the download image, with the alarm range of its side record.
    static NumDispImageRecord toImage(const NumDispRecord& r, const NumDispSideRecord& side,
                                      ImageContext& c);
    // The order of the image's records: top to bottom, on a line left to right, the last of
    // identical positions first.
    static std::vector<int> imageOrder(std::span<const NumDispRecord> records);
    static NumDispObject place(const NumDispObject& t) { return t; }

    static Side openSide(const SideRecord& s) { return {s.high, s.low}; }
    static SideRecord storeSide(const Side& s) { return {s.high, s.low}; }
    static SideExchange toExchange(const Side& s) { return {s.high, s.low}; }
    static Side fromExchange(const SideExchange& e) { return {e.high, e.low}; }
    // Files that kept no side records: the pair is the entry range.
    static SideRecord sideOfOlderFile(const NumDispRecord& r) { return {r.maximum, r.minimum}; }

    // "-" when signed, then digits - decimals characters of "1234567890", then "." and the next
    // decimals characters: what a normal display shows in the editor.
    static std::string previewText(bool isSigned, int digits, int decimals);

    static Rect rect(const NumDispObject& o, const PictureTable& pictures);
    static void draw(const NumDispObject& o, ObjectCanvas& canvas);

    // The register it shows, two words when it is 32 bits wide; the clock display reads none.
    static std::optional<PlcUse> plcUse(const Record& r) {
        if (r.clockField()) {
            return std::nullopt;
        }
        return PlcUse::word(r.attr, r.areaAndBit, r.address, (r.attr & Record::kWide) ? 2 : 1);
    }
    // The editor's preview text or the clock field, digits, coding and width, the entry range.
    static ReportCells reportCells(const Record& r, const SideRecord& side);
};

} // namespace dispcraft
