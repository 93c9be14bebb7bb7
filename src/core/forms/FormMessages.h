#pragma once

#include "forms/FormOutcome.h"
#include "base/Message.h"

#include <string>
#include <string_view>

namespace dispcraft {

// Messages the settings dialogs share, and the GB2312 helpers they need beyond formtext.
namespace formmsg {

// A screen name holds at most 10 bytes in the directory.
constexpr size_t kScreenNameBytes = 10;

// Our own texts of the settings dialogs (65500-65549).
// "Screen %d is open in a window. Close the window before deleting the screen."
constexpr int kScreenOpenNoDelete = 65500;

// Language strings of the settings dialogs.
constexpr int kBitNumberRange = 61447; // "Enter a bit number from 0 to 15."
constexpr int kAlarmMessageColumn = 61448; // "Alarm message"
constexpr int kBitColumn = 61449; // "Bit"
constexpr int kMessageTooLong = 61450; // "A message has at most 24 characters (12 Chinese characters)."
constexpr int kTooManyAlarms = 61451; // "An alarm group holds at most %d messages."
constexpr int kScreenNameTooLong = 61498; // "A screen name has at most 10 characters (5 Chinese characters)."
constexpr int kChangeRecordTooLong = 61533; // "A data exchange record can copy at most %d words."
constexpr int kBadAddressFormat = 61535; // "The protocol file has an address format that is not 4 or 6 characte..."
constexpr int kUnusableAddressFormat = 61536; // "The protocol file has an address format that is not 4 or 6 characte..."
constexpr int kTableBitColumn = 61546; // "Bit"
constexpr int kTableScreenColumn = 61547; // "Screen"
constexpr int kTooManyTableBits = 61548; // "At most 32 bits can call screens."
constexpr int kTableScreen = 61549; // "Screen %d"
constexpr int kModelChanged = 61551; // "The panel model was changed. Objects keep their place on the LCD; c..."
constexpr int kModelNeeded = 61556; // "A project needs a panel model. Choose the model and its links, then..."
constexpr int kNameColumn = 61601; // "Name"
constexpr int kChooseScreen = 61602; // "Choose a screen first."
constexpr int kNoSuchScreen = 61603; // "There is no screen with this number."
constexpr int kRenumberOntoScreen = 61604; // "Screen %d is to become screen %d, which already exists. Replace it?"
constexpr int kNumberColumn = 61637; // "No."
constexpr int kCom1AddressColumn = 61638; // "COM1 address"
constexpr int kDirectionColumn = 61639; // "Direction"
constexpr int kCom2AddressColumn = 61640; // "COM2 address"
constexpr int kCountColumn = 61641; // "Count"
constexpr int kChooseEntryToEdit = 61643; // "Choose an entry to edit."
constexpr int kChooseEntryToDelete = 61644; // "Choose an entry to delete."
constexpr int kNoPortProtocolDirectory = 63517; // "This port has no protocol directory of its own; the protocols of "P..."
constexpr int kUnknownPanelKind = 63518; // "Unknown panel kind; the protocols of "Protocol" are listed."
constexpr int kBadDataBits = 63520; // "The protocol file's data bits must be 7 or 8."
constexpr int kBadStopBits = 63522; // "The protocol file's stop bits must be 1 or 2."
constexpr int kBadParity = 63523; // "The protocol file's parity must be n, e or o."
constexpr int kScreenNameColumn = 63524; // "Name"
constexpr int kScreenNumberRange = 63525; // "Enter a screen number from 1 to 199."
constexpr int kReplaceScreen = 63526; // "Screen %d already exists. Replace it?"
constexpr int kCloseScreensBeforeModel = 63544; // "Close the screen windows before changing the panel model."
constexpr int kLinksAtNextBuild = 63545; // "The new link settings take effect at the next build and download."
constexpr int kDeleteScreen = 63574; // "Delete screen %d from the project?"
constexpr int kDeleteScreenNumber = 63589; // "Delete screen %d?"
constexpr int kCopyOntoScreen = 63590; // "Screen %d is to be copied onto screen %d, which already exists. Rep..."
constexpr int kCopyOntoItself = 63591; // "A screen cannot be copied onto itself. Choose another number."

// Language strings of the settings dialogs, continued: titles, help and refusals.
constexpr int kAddressOutside = 61455; // "This address is not valid for the device (highest address:"
constexpr int kLastBitOutside = 61456; // "The last bit lies beyond the device's range (highest address:"
constexpr int kNoText = 61452; // "(no text)"
constexpr int kScreenNumberNameTitle = 61496; // "Screen %d: number and name"
constexpr int kNewScreenNumberNameTitle = 61497; // "Screen number and name"
constexpr int kBitScreenTitle = 61550; // "Screen for this bit"
constexpr int kRenumberScreenTitle = 61605; // "Renumber Screen"
constexpr int kCopyScreenTitle = 63592; // "Copy Screen"
constexpr int kStartScreenRange = 63527; // "The start screen must be from 1 to 199."
constexpr int kSetting1Range = 63528; // "This setting takes a value from 0 to 255."
constexpr int kSetting4Range = 63529; // "This setting takes a value from 0 to 1999."
constexpr int kSetting2Range = 63530; // "This setting takes a value from 0 to 10."
constexpr int kSetting3Range = 63531; // "This setting takes a value below 10000."
constexpr int kHelpFamilies = 63532; // "Control settings of the two panel families"
constexpr int kHelpAddress1 = 63533; // "Control address 1: the panel writes the number of the screen it shows."
constexpr int kHelpAddress2 = 63534; // "Control address 2: the PLC calls a screen by writing its number."
constexpr int kHelpTable = 63535; // "Bit-to-screen table: each set bit of address 2 calls its screen."
constexpr int kHelpTablePlcId = 63536; // "The table is offered for links whose PLC ID is 250."
constexpr int kHelpPorts = 63537; // "Both addresses may lie on COM1 or COM2."
constexpr int kHelpStartScreen = 63538; // "Start screen: shown when the panel is switched on."
constexpr int kHelpNumeric = 63539; // "Numeric settings take effect at the next download."
constexpr int kHelpOptions = 63540; // "The options apply to the whole project."
constexpr int kHelpUnused = 63541; // "Unused addresses are stored as 0."

// Language string 61455 followed by the range text and ")!": an address the area refuses.
// The language text ends where the range follows; the program appends range and ")!".
Message addressRange(const std::string& range);
// Language string 61456 followed by the range text and ")!": the last bit of a block lies
// beyond the area.
Message lastBitRange(const std::string& range);
// The refusal of a number field outside its range (the edit's own range check).
Message range(long long low, long long high);

// The GB2312 byte length of a UTF-8 text, or nothing when it holds a character outside GB2312.
std::optional<size_t> gbLength(std::string_view utf8);
// At most maxBytes bytes of a GB2312 text, never ending inside a two-byte character.
std::string cutGb(std::string_view gb, size_t maxBytes);

} // namespace formmsg

} // namespace dispcraft
