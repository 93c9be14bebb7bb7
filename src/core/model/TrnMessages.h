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
// %d count.
constexpr int kTooManyChanges = 65010;
// %d group (1 or 2), %d count.
constexpr int kTooManyAlarms = 65014;
// Not a failure: the file ends inside its last parts, which were left empty.
constexpr int kEndsEarly = 65016;
// The store cannot be written: %d screen, %s object kind, %d count, %d capacity.
constexpr int kStoreTooManyObjects = 65017;
// The store cannot be written: %d change record count.
constexpr int kStoreTooManyChanges = 65018;
// %d limit in MB: the file is far larger than any project.
constexpr int kFileTooLarge = 65019;

// What opening found and kept as it is: references that lead nowhere (range 66100-66119).
// %s project name, %s the list (one finding a line).
constexpr int kFindings = 66100;
// %d screen, %s object kind, %d object number (1-based).
constexpr int kTextOutside = 66101;
// %d screen, %d text number (1..16), %s object kind, %d object number.
constexpr int kTextNOutside = 66102;
// %d screen, %s object kind, %d object number, %d picture number.
constexpr int kPictureMissing = 66103;
// %d picture number.
constexpr int kPictureDotsOutside = 66104;
// %d screen.
constexpr int kScreenTextsCut = 66105;
// %d group (1 or 2).
constexpr int kAlarmTextsCut = 66106;
// %d group, %d message number (1-based).
constexpr int kAlarmOutside = 66107;
// %d findings not listed.
constexpr int kMoreFindings = 66108;

// Numbered strings of the language library that the project file code uses.
constexpr int kCannotCreate = 61561;
constexpr int kCannotOpen = 61580;
constexpr int kFormatTooNew = 63598;
constexpr int kOldFormatQuestion = 61560;

} // namespace dispcraft::trnmsg
