#pragma once

#include "model/BarGraphRecord.h"
#include "model/Capacity.h"
#include "model/KeyRecord.h"
#include "model/LampRecord.h"
#include "model/MsgDispRecord.h"
#include "model/NumDispRecord.h"
#include "model/NumDispSideRecord.h"
#include "model/OldKeyRecord.h"
#include "model/PictureObjectRecord.h"
#include "model/TextStringRecord.h"
#include "model/TrendGraphRecord.h"

#include <array>
#include <cstdint>
#include <string>

namespace dispcraft {

// All stored records of one screen. Each array is filled from index 0 without gaps; its count is
// in the screen's ScreenEntry. Records beyond a count are ignored by every reader.
struct ScreenBlock {
    std::array<TextStringRecord, capacity::kTextStrings> textStrings{};
    std::array<MsgDispRecord, capacity::kMsgDisps> msgDisps{};
    std::array<NumDispRecord, capacity::kNumDisps> numDisps{};
    std::array<NumDispSideRecord, capacity::kNumDisps> numDispSides{};
    std::array<BarGraphRecord, capacity::kBarGraphs> barGraphs{};
    std::array<TrendGraphRecord, capacity::kTrendGraphs> trendGraphs{};
    std::array<LampRecord, capacity::kLamps> lamps{};
    std::array<PictureObjectRecord, capacity::kPictureObjects> pictures{};
    // Target screens of function keys 1..4; keys 3 and 4 fall back to the neighbours.
    std::array<uint8_t, capacity::kFunctionKeys> fnKeys{};
    std::array<OldKeyRecord, capacity::kOldKeys> oldKeys{};
    std::array<KeyRecord, capacity::kPanelKeys> keys{};
    // Texts of the TextString and MsgDisp objects, concatenated without separators (GB2312).
    std::string textPool;

    // The text a record refers to. The project file reader refuses non-empty texts outside the
    // pool; an empty text may carry any offset, so this never throws and gives "" then.
    std::string text(uint32_t offset, uint8_t length) const {
        if (length == 0 || offset >= textPool.size()) {
            return std::string();
        }
        return textPool.substr(offset, length);
    }
};

} // namespace dispcraft
