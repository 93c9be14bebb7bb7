#pragma once

#include "model/Capacity.h"
#include "objects/ObjectKinds.h"
#include "objects/PanelKeys.h"
#include "objects/TextPool.h"

#include <array>
#include <cstdint>
#include <string>
#include <tuple>

namespace dispcraft {

// All stored records of one screen. Each array is filled from index 0 without gaps; its count is
// in the screen's ScreenEntry. Records beyond a count are ignored by every reader.
struct ScreenBlock {
    RecordArray<TextStringKind> textStrings{};
    RecordArray<MsgDispKind> msgDisps{};
    RecordArray<NumDispKind> numDisps{};
    SideRecordArray<NumDispKind> numDispSides{};
    RecordArray<BarGraphKind> barGraphs{};
    RecordArray<TrendGraphKind> trendGraphs{};
    RecordArray<LampKind> lamps{};
    RecordArray<PictureKind> pictures{};
    // Target screens of function keys 1..4; keys 3 and 4 fall back to the neighbours.
    FunctionKeyTargets fnKeys{};
    std::array<OldKeyRecord, kOldKeys> oldKeys{};
    std::array<KeyRecord, kPanelKeys> keys{};
    // Texts of the TextString and MsgDisp objects, concatenated without separators (GB2312).
    std::string textPool;

    // The records of a kind, and the side records of a kind that has them.
    template <typename K>
    RecordArray<K>& records() {
        return std::get<kindIndex<K>>(
            std::tie(textStrings, msgDisps, numDisps, barGraphs, trendGraphs, lamps, pictures));
    }
    template <typename K>
    const RecordArray<K>& records() const {
        return const_cast<ScreenBlock*>(this)->records<K>();
    }
    template <HasSide K>
    SideRecordArray<K>& sides() {
        return numDispSides;
    }
    template <HasSide K>
    const SideRecordArray<K>& sides() const {
        return numDispSides;
    }

    // The text a record refers to; one that does not lie wholly inside the pool is empty.
    std::string text(uint32_t offset, uint8_t length) const {
        return textpool::cut(textPool, offset, length);
    }
};

} // namespace dispcraft
