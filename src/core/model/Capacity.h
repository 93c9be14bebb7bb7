#pragma once

namespace dispcraft {

// Hard limits of the data model.
namespace capacity {
constexpr int kScreenSlots = 200; // slot 0 never used
constexpr int kFirstScreen = 1;
constexpr int kLastScreen = 199;
constexpr int kTextStrings = 96;
constexpr int kMsgDisps = 96;
constexpr int kNumDisps = 96;
constexpr int kBarGraphs = 48;
constexpr int kTrendGraphs = 2;
constexpr int kLamps = 48;
constexpr int kPictureObjects = 48;
constexpr int kPanelKeys = 25;
constexpr int kOldKeys = 6;
constexpr int kFunctionKeys = 4;
constexpr int kPictureSlots = 30; // entries 1..29 usable
constexpr int kLastPicture = 29;
constexpr int kAlarmMessages = 64;
constexpr int kChangeRecords = 100;
constexpr int kObjectText = 100;
constexpr int kRecentFiles = 4;
constexpr int kAreas = 10;
} // namespace capacity

// Object kind codes of the stored records.
enum ObjectKind : int {
    kKindTextString = 1,
    kKindMsgDisp = 2,
    kKindNumDisp = 3,
    kKindBarGraph = 4,
    kKindTrendGraph = 5,
    kKindLamp = 6,
    kKindPicture = 7,
    kKindKey = 9,
};

} // namespace dispcraft
