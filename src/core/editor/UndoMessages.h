#pragma once

#include "base/Message.h"
#include "objects/ObjectKinds.h"
#include "text/LanguageStrings.h"

#include <array>

namespace dispcraft::undomsg {

// The texts of the history, of selecting and of arranging objects (range 66200-66299).

// Commands: "caption\ntip" under the command's number.
constexpr int kUndoCommand = 66200;
constexpr int kRedoCommand = 66201;
constexpr int kSelectAllCommand = 66202;
constexpr int kAlignLeftCommand = 66203;
constexpr int kAlignRightCommand = 66204;
constexpr int kAlignTopCommand = 66205;
constexpr int kAlignBottomCommand = 66206;
constexpr int kAlignCentresCommand = 66207;
constexpr int kAlignMiddlesCommand = 66208;
constexpr int kSpaceAcrossCommand = 66209;
constexpr int kSpaceDownCommand = 66210;
constexpr int kUndoNamed = 66212; // %s step name: the Undo command's caption
constexpr int kRedoNamed = 66213; // %s step name
constexpr int kAlignMenu = 66214;

// Names of the steps.
constexpr int kMoveOne = 66220;
constexpr int kMoveMany = 66221; // %s objects
constexpr int kPlace = 66222;    // %s kind name
constexpr int kResize = 66223;   // %s kind name
constexpr int kDeleteOne = 66224;
constexpr int kDeleteMany = 66225; // %s objects
constexpr int kCutOne = 66226;
constexpr int kCutMany = 66227; // %s objects
constexpr int kPasteOne = 66228;
constexpr int kPasteMany = 66229;  // %s objects
constexpr int kEditObject = 66230; // %s kind name
constexpr int kEditKey = 66231;
constexpr int kEditFunctionKey = 66232; // %s key 1..4
constexpr int kRemoveScreen = 66233;    // %s screen
constexpr int kAlignLeft = 66234;       // the arrangements in the order of their commands
constexpr int kModelAndLinks = 66242;
constexpr int kPortParameters = 66243; // %s port 1 or 2
constexpr int kAlarmGroup = 66244;     // %s group 1 or 2
constexpr int kChangeRecords = 66245;
constexpr int kPanelSettings = 66246;
constexpr int kPictures = 66247;
constexpr int kScreenList = 66248;
constexpr int kDeleteScreen = 66249; // %s screen
constexpr int kNumberScreen = 66250; // %s screen
constexpr int kSaveScreenAs = 66251; // %s screen
constexpr int kEditObjects = 66252;

// The kinds' names in the order of ObjectKinds, and the clock form of the numeric display.
constexpr std::array<int, ObjectKinds::kCount> kKindNames{66260, 66261, 66262, 66263,
                                                          66264, 66265, 66266};
constexpr int kClockName = 66267;
// "Click on the LCD to place a Text — Esc ends", in the same order, and for the clock.
constexpr std::array<int, ObjectKinds::kCount> kPlacementHints{66270, 66271, 66272, 66273,
                                                               66274, 66275, 66276};
constexpr int kClockPlacementHint = 66277;

// The name of kind code (1..7); 0 for another code.
inline int kindName(int code) {
    int name = 0;
    withKind(code, [&](auto k) { name = kKindNames[kindIndex<decltype(k)>]; });
    return name;
}
// A step name with the name of kind code in it ("Place %s"). The kind's name is put in as
// text, in the language of this run.
inline Message withKindName(int id, int code) {
    return Message::string(id, {LanguageStrings::current().text(kindName(code))});
}
inline int placementHint(int code) {
    int hint = 0;
    withKind(code, [&](auto k) { hint = kPlacementHints[kindIndex<decltype(k)>]; });
    return hint;
}

} // namespace dispcraft::undomsg
