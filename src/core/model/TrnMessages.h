#pragma once

namespace dispcraft::trnmsg {

// Language string numbers of the project file code. The first group are the program's own
// numbers (range 65000-65099) for damaged files; their texts live in the language files.

// Not a project file: shorter than its header or without the "DAVO" mark.
constexpr int kNotProjectFile = 65000;
// %d: bytes present of the 6904-byte fixed part.
constexpr int kCutInDirectory = 65001;
// %d screen, %d count, %s object kind, %d capacity.
constexpr int kTooManyObjects = 65002;
// %d screen.
constexpr int kCutInScreen = 65003;
constexpr int kCutInAlarmGroup = 65004;
// %d length of the pool.
constexpr int kTextPoolPastEnd = 65005;
constexpr int kPictureDotsPastEnd = 65006;
constexpr int kScratchPastEnd = 65007;
// %d total of the screen texts, %d length of the text pool.
constexpr int kScreenTextsTooLong = 65008;
// %d length of the text pool.
constexpr int kAlarmTextsOutside = 65009;
// %d count.
constexpr int kTooManyChanges = 65010;
// %s object kind, %d object number (1-based), %d screen.
constexpr int kTextOutside = 65011;
// %d picture number.
constexpr int kPictureOutside = 65012;
// %d object number (1-based), %d screen, %d picture number.
constexpr int kBadPictureNumber = 65013;
// %d group (1 or 2), %d count.
constexpr int kTooManyAlarms = 65014;
// %d message number (1-based), %d group.
constexpr int kAlarmOutside = 65015;
// Not a failure: the file ends inside its last parts, which were left empty.
constexpr int kEndsEarly = 65016;
// The store cannot be written: %d screen, %s object kind, %d count, %d capacity.
constexpr int kStoreTooManyObjects = 65017;
// The store cannot be written: %d change record count.
constexpr int kStoreTooManyChanges = 65018;
// %d limit in MB: the file is far larger than any project.
constexpr int kFileTooLarge = 65019;

// Numbered strings of the language library that the project file code uses.
constexpr int kCannotCreate = 61561;
constexpr int kCannotOpen = 61580;
constexpr int kFormatTooNew = 63598;
constexpr int kOldFormatQuestion = 61560;

} // namespace dispcraft::trnmsg
