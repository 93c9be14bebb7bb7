#pragma once

#include "objects/ObjectKinds.h"
#include "objects/PanelKeys.h"
#include "objects/PictureTable.h"

namespace dispcraft {

// Hard limits of the data model. Each object kind and the keys keep their own; they are repeated
// here under the names the project-wide code uses.
namespace capacity {
constexpr int kScreenSlots = 200; // slot 0 never used
constexpr int kFirstScreen = 1;
constexpr int kLastScreen = 199;
constexpr int kTextStrings = TextStringKind::kCapacity;
constexpr int kMsgDisps = MsgDispKind::kCapacity;
constexpr int kNumDisps = NumDispKind::kCapacity;
constexpr int kBarGraphs = BarGraphKind::kCapacity;
constexpr int kTrendGraphs = TrendGraphKind::kCapacity;
constexpr int kLamps = LampKind::kCapacity;
constexpr int kPictureObjects = PictureKind::kCapacity;
constexpr int kPanelKeys = dispcraft::kPanelKeys;
constexpr int kOldKeys = dispcraft::kOldKeys;
constexpr int kFunctionKeys = dispcraft::kFunctionKeys;
constexpr int kPictureSlots = dispcraft::kPictureSlots; // entries 1..29 usable
constexpr int kLastPicture = dispcraft::kLastPicture;
constexpr int kAlarmMessages = 64;
constexpr int kChangeRecords = 100;
constexpr int kObjectText = 100;
constexpr int kRecentFiles = 4;
constexpr int kAreas = 10;
} // namespace capacity

} // namespace dispcraft
