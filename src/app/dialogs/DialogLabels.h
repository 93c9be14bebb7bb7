#pragma once

#include <QString>
#include <QStringList>

namespace dispcraft::dlgtext {

// Labels of the property and settings dialogs that have no string number of their own. A
// dialog's labels are lines of one language string, so that a translation keeps a dialog's
// texts together; related dialogs share a string, each starting at its own line.
struct Pack {
    int string;
    int first; // line of the string where this dialog's labels begin
};
constexpr Pack kAddress{65743, 0};  // keypad and the PLC address group
constexpr Pack kValues{65743, 9};   // codings and value ranges shared by several dialogs
constexpr Pack kSmall{65746, 0};    // bit-to-screen table, panel model, function key
constexpr Pack kKey{65746, 8};      // panel key function
constexpr Pack kAlarm{65747, 0};    // alarm group
constexpr Pack kChange{65747, 6};   // change record and address pair table
constexpr Pack kMsgDisp{65748, 0};  // message display
constexpr Pack kSettings{65749, 0}; // panel control settings

// Line index of a dialog's labels, "#string.line" when the language lacks it.
QString label(Pack pack, int index);

// Lines of kAddress.
enum AddressLine {
    kKeypadTitle, kClear, kBack, kPortLabel, kTypeLabel, kAddressLabel, kBitLabel, kAddressGroup,
    kHighest, // "%s" = the limit text
};
// Lines of kValues.
enum ValueLine { kBcd, kUnsigned, kSigned, kCodingGroup, kMaximumLabel, kMinimumLabel, kRangeGroup };

} // namespace dispcraft::dlgtext
