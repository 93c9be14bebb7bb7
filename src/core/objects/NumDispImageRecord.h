#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"
#include "objects/WordCoding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace dispcraft {

// A numeric display in a screen's record stream (24 bytes, in reading order), with the 8-byte
// side record that follows the key records at the end of the stream (its alarm range). The
// clock form shows a field of the panel's own clock instead of a PLC word.
struct NumDispImageRecord {
    static constexpr uint8_t kKind = 3;
    static constexpr size_t kSize = 24;
    static constexpr size_t kSideSize = 8;
    static constexpr int kCapacity = 96;
    // Attribute bits.
    static constexpr uint8_t kCom2 = 0x04;
    static constexpr uint8_t kSigned = 0x08;
    static constexpr uint8_t kTwoWords = 0x10;
    static constexpr uint8_t kEntry = 0x20;
    static constexpr uint8_t kBcd = 0x40;
    static constexpr uint8_t kReverse = 0x80;
    // Option bits.
    static constexpr uint8_t kScaled = 0x01; // the clock form sets it too
    static constexpr uint8_t kAlarmRange = 0x08;
    // Fields of the clock form, in the order of its dialog.
    enum ClockField { kSecond, kMinute, kHour, kDay, kMonth, kWeekday, kYear };
    using State = NoLiveState;

    uint8_t kind = kKind;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t attributes = 0; // bits 0-1 font, and the bits above
    uint8_t options = 0;    // the dialog's second flag byte
    uint8_t areaBit = 0;    // high nibble word area, low nibble bit number
    uint16_t address = 0;   // device number; the clock form's field
    uint8_t digits = 0;     // 1..10, decimals included
    uint8_t decimals = 0;
    int32_t maximum = 0; // entry range
    int32_t minimum = 0;
    int32_t scale = 0;   // whole-number scale factor
    int32_t alarmHigh = 0; // from the side record
    int32_t alarmLow = 0;

    int font() const { return attributes & 0x03; }
    int port() const { return (attributes & kCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    bool clockForm() const {
        return (options & kScaled) != 0 && (attributes & kBcd) != 0 && decimals == 0 && scale == 0;
    }
    WordCoding coding() const;

    // The text the panel shows for a value: right-aligned in the field of digits (a sign place
    // for signed coding, a point before the decimals), blanks before it; '*' over the whole
    // field when the value does not fit or is not a number of its coding.
    std::string valueText(std::optional<int64_t> value) const;
    // The two digits of a clock field.
    std::string clockText(const PanelClock& clock) const;

    void write(ByteWriter& w) const;
    void writeSide(ByteWriter& w) const;
    static NumDispImageRecord read(ByteReader& r);
    void readSide(ByteReader& r);
    // The value in the panel's own characters; a value outside an alarm range shows in the
    // other video.
    void draw(const LiveDrawing& d, const State&) const;
};

} // namespace dispcraft
