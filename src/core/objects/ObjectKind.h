#pragma once

namespace dispcraft {

// Object kind codes: the first byte of every stored record and the low bits of a working
// record's kind word.
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
