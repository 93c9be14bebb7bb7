#pragma once

#include "base/Geometry.h"

#include <vector>

namespace dispcraft {

class ScreenContents;

// How the selected objects are lined up.
enum class Alignment {
    Left,
    Right,
    Top,
    Bottom,
    Centres,     // centres on one vertical line
    Middles,     // middles on one horizontal line
    SpaceAcross, // equal gaps from left to right, the outermost staying
    SpaceDown,   // equal gaps from top to bottom
};

// Moving and lining up the selected objects of a screen as a group. Every result keeps the
// editor's rules: positions on the grid (in whole grid steps from where objects were), every
// object inside the LCD.
class ObjectArrangement {
public:
    // A selected object by kind and slot, with where it was when the group was taken.
    struct Member {
        int kind = 0;
        int slot = 0;
        Rect rect;
    };
    static std::vector<Member> selection(const ScreenContents& screen);
    static Rect bounds(const std::vector<Member>& members);
    // The part of delta that keeps a group of these bounds inside the LCD: as far as it can go
    // along each axis, nothing along an axis the group is wider or taller than the LCD.
    static Point keepInside(const ScreenContents& screen, const Rect& bounds, Point delta);
    // Puts the members at their rectangles' places moved by delta, marking the window changed
    // and the view to repaint where something moved. Returns whether something moved.
    static bool place(ScreenContents& screen, const std::vector<Member>& members, Point delta);
    // Moves the selection by delta as a group, kept inside the LCD; returns the move made.
    static Point moveSelection(ScreenContents& screen, Point delta);
    // Lines up the selection (two or more objects); returns whether anything moved.
    static bool align(ScreenContents& screen, Alignment how);
};

} // namespace dispcraft
