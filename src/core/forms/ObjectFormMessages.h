#pragma once

#include "forms/FormOutcome.h"
#include "base/Message.h"

#include <string>
#include <vector>

namespace dispcraft {

// Language strings of the object property forms that have no number of their own elsewhere.
namespace objectform {
// "Please enter an integer from %d to %d." - the range refusal of a number field.
constexpr int kRangeMessage = 65550;
// The character %s cannot be shown on the panel (outside GB2312).
constexpr int kNotGb2312 = 65551;
// Names of the four fonts in the font lists, in font index order.
constexpr int kFontName0 = 65552;
// The bitmap has no dots (width or height 0).
constexpr int kBmpEmpty = 65556;
// Only uncompressed monochrome BMPs with a standard information header can be imported.
constexpr int kBmpUnsupported = 65557;
// The two entries of the NumDisp width list: 16 bits, 32 bits.
constexpr int kWidth16 = 65558;
constexpr int kWidth32 = 65559;
// Names of the seven clock fields of the short NumDisp, in field order.
constexpr int kClockField0 = 65560;
// A lamp name that is not a plain file name in the lamp directory.
constexpr int kBadLampName = 65567;
// "The scale factor must lie from %s to %s." - a factor the panel's 32-bit number cannot hold.
constexpr int kScaleRange = 65568;

// Language strings of the object property dialogs.
constexpr int kTrendNeedsTwoPorts = 61502; // "Trend graphs need a panel model with two ports."
constexpr int kScreenOrDigitsRange = 61537; // "Out of range: screen numbers go from 0 to 199, 4-digit decimal valu..."
constexpr int kKeyShowsScreen = 61543; // "On this panel model a key either shows a screen or acts on a bit. T..."
constexpr int kMinimumNotBelowMaximum = 61606; // "The minimum must be less than the maximum."
constexpr int kDigitsRange = 61610; // "Enter from 1 to 10 digits."
constexpr int kDecimalsRange = 61611; // "Enter from 0 to 9 decimals."
constexpr int kChooseLamp = 61624; // "Choose a lamp picture."
constexpr int kLampCannotOpen = 61625; // "The lamp picture file cannot be opened."
constexpr int kLampWrongSize = 61626; // "The lamp picture file has the wrong size."
constexpr int kTextColumn = 61627; // "Text"
constexpr int kIndexColumn = 61628; // "No."
constexpr int kPictureNumberTaken = 61629; // "No picture number was chosen: the picture takes the first free number."
constexpr int kReplacePicture = 61630; // "Picture %d already exists. Replace it?"
constexpr int kTextEmpty = 61631; // "Enter a text."
constexpr int kTrendPointsCut = 61634; // "The trend graph was too wide for the LCD; it now shows %d points."
constexpr int kPictureCannotOpen = 63506; // "The picture file cannot be opened."
constexpr int kNotBmp = 62000; // "This file is not a BMP picture."
constexpr int kBmpDamaged = 62001; // "The BMP file is damaged: its length does not match its header."
constexpr int kBmpNotMonochrome = 63508; // "Only monochrome (1 bit per pixel) BMP pictures can be imported."
constexpr int kPictureTooHigh = 63509; // "The picture is higher than 64 dots."
constexpr int kPictureTooWide = 63510; // "The picture is wider than 192 dots."
constexpr int kBmpFilter = 63507; // "Monochrome BMP pictures (*.bmp);;All files (*)"
constexpr int kPicturesFull = 63511; // "All 29 picture places are taken. Delete a picture first."
constexpr int kDeleteOnlyFromScreen = 63512; // "Pictures can be deleted only when the list is opened from a screen..."
constexpr int kCloseButton = 63513; // "Close"
constexpr int kUsePictureButton = 63514; // "Use Picture"
constexpr int kDeletePicture = 63515; // "Delete picture %d?"
constexpr int kChoosePicture = 63516; // "Choose a picture from the list."
constexpr int kSizeColumn = 63575; // "Size"

// Language strings of the object property dialogs, continued: the value range refusals.
constexpr int kEntryRangeSigned16 = 61612; // "The entry range of a signed 16-bit value lies from -32768 to 32767."
constexpr int kEntryRangeBcd16 = 61613; // "The entry range of a 16-bit BCD value lies from 0 to 9999."
constexpr int kEntryRange16 = 61614; // "The entry range of a 16-bit value lies from 0 to 65535."
constexpr int kEntryRangeBcd32 = 61616; // "The entry range of a 32-bit BCD value lies from 0 to 99999999."
constexpr int kEntryRange32 = 61617; // "The entry range of an unsigned 32-bit value starts at 0."
constexpr int kAlarmRangeSigned16 = 61618; // "The alarm range of a signed 16-bit value lies from -32768 to 32767."
constexpr int kAlarmRangeBcd16 = 61619; // "The alarm range of a 16-bit BCD value lies from 0 to 9999."
constexpr int kAlarmRange16 = 61620; // "The alarm range of a 16-bit value lies from 0 to 65535."
constexpr int kAlarmRangeBcd32 = 61622; // "The alarm range of a 32-bit BCD value lies from 0 to 99999999."
constexpr int kAlarmRange32 = 61623; // "The alarm range of an unsigned 32-bit value starts at 0."
constexpr int kKeyValueRangeBcd16 = 61537; // "Out of range: screen numbers go from 0 to 199, 4-digit decimal valu..."
constexpr int kKeyValueRange16 = 61538; // "Enter a value from 0 to 65535."
constexpr int kKeyValueRangeSigned16 = 61539; // "Enter a value from -32768 to 32767."
constexpr int kKeyValueRangeBcd32 = 61540; // "Enter a value from 0 to 99999999."
constexpr int kKeyValueRange32 = 61541; // "Enter a value from 0 to 2147483647."
constexpr int kKeyValueRangeSigned32 = 61542; // "Enter a value from -100000000 to 100000000."
constexpr int kKeyValueLabel = 61544; // "Value to write:"
constexpr int kKeyScreenLabel = 61545; // "Screen number:"
constexpr int kGraphRange16 = 61607; // "Both values must lie from 0 to 65535."
constexpr int kGraphRangeBcd = 61608; // "Both BCD values must lie from 0 to 9999."
constexpr int kGraphRangeSigned = 61609; // "Both signed values must lie from -32768 to 32767."
constexpr int kTextTooLongNarrow = 61632; // "A text in this font has at most 24 characters (12 Chinese characters)."
constexpr int kTextTooLongWide = 61633; // "A text in this font has at most 12 characters (6 Chinese characters)."

using Range = SpinRange;

inline Message rangeMessage(long long low, long long high) {
    return Message::string(kRangeMessage, {std::to_string(low), std::to_string(high)});
}
inline Message scaleMessage(double limit) {
    const std::string l = std::to_string(static_cast<long long>(limit));
    return Message::string(kScaleRange, {"-" + l, l});
}
inline std::vector<Message> fontNames() {
    std::vector<Message> names;
    for (int i = 0; i < 4; ++i) {
        names.push_back(Message::string(kFontName0 + i));
    }
    return names;
}
} // namespace objectform

} // namespace dispcraft
