#pragma once

#include "objects/ObjectKinds.h"

#include <tuple>

namespace dispcraft {

// The record each placement copies, one per kind, filled by the kind's property dialog.
struct ObjectTemplates {
    TextStringTemplate textString;
    MsgDispObject msgDisp;
    NumDispObject numDisp;
    SidePair numDispSide;
    BarGraphObject barGraph;
    TrendGraphObject trendGraph;
    LampObject lamp;
    PictureObject picture;

    template <typename K> typename K::Template& of() {
        return std::get<kindIndex<K>>(
            std::tie(textString, msgDisp, numDisp, barGraph, trendGraph, lamp, picture));
    }
    template <HasSide K> typename K::Side& side() { return numDispSide; }
};

} // namespace dispcraft
