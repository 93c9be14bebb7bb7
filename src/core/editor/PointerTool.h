#pragma once

#include "base/Geometry.h"
#include "base/Message.h"
#include "editor/ObjectArrangement.h"

#include <string>
#include <vector>

namespace dispcraft {

class ScreenContents;
struct LampObject;

// The pointer shape a screen window should show; the GUI maps each value to a cursor.
enum class EditorCursor {
    Arrow,
    PlaceTextString,
    PlaceMsgDisp,
    PlaceNumDisp,
    PlaceBarGraph,
    PlaceTrendGraph,
    PlaceLampOrPicture,
    SizeNorthSouth,
    SizeWestEast,
    SizeNorthwestSoutheast,
    SizeNortheastSouthwest,
};

// What a double-click asks the GUI to open. The dialogs' forms take it from there, using the
// window's working records, templates and helpers.
struct EditRequest {
    enum class Target { None, Object, PanelKey, FunctionKey };
    Target target = Target::None;
    int kind = 0;              // Object: 1..7
    int index = -1;            // Object: slot; PanelKey: 0..24; FunctionKey: 0..3
    bool shortNumDisp = false; // Object of kind 3 with the short form: dialog 196, else 148
    Message title;             // PanelKey: the dialog's title
};

// The handles of a resizable object, by the edges they move.
enum class Handle { None, Top, Bottom, Left, Right, TopLeft, BottomLeft, TopRight, BottomRight };

// What a drag with the left button does.
enum class DragMode { None, Move, Resize, Band };

// The pointer on a screen window: choosing, placing, moving and resizing objects and selecting
// them with a rubber band. Pointer events go in; the contents change, the parts to repaint are
// queued there; out come the cursor, the status text and requests for dialogs.
class PointerTool {
public:
    explicit PointerTool(ScreenContents& contents) : m_contents(contents) {}

    // Left button down. toggle (Ctrl or Shift held): the object under the pointer joins or
    // leaves the selection, and a band adds to it; nothing moves.
    void press(Point p, bool toggle = false);
    void move(Point p, bool leftButton); // pointer moved
    void release(Point p);               // left button up
    EditRequest doubleClick(Point p);    // left double-click
    void escape();                       // the Escape character
    // The context-menu request: true when the GUI should show the view's menu (the select tool
    // was in use); otherwise the tool goes back to select.
    bool contextMenu();

    // A placement command confirmed its dialog: the next press places an object of kind 1..7
    // of this size. What the last press was dragging is let go, so that placing never moves
    // another object.
    void armPlacement(int kind, int placeWidth, int placeHeight);
    void setPlaceSize(int w, int h);
    // Back to the select tool (32831).
    void selectTool();
    // The current object is gone (deleted, or removed at paint time).
    void forgetCurrent();

    // Kind being placed by the next press, 0 with the select tool.
    int placingKind() const { return m_placeKind; }
    // The handle under the pointer while it resizes the current object.
    Handle handle() const { return m_handle; }
    DragMode dragMode() const { return m_dragMode; }
    int currentKind() const { return m_curKind; }
    int currentIndex() const { return m_curIndex; }
    Point currentPosition() const { return m_cur; }
    Point lastPoint() const { return m_last; }
    const Rect& bandRect() const { return m_band; }
    int placeWidth() const { return m_placeW; }
    int placeHeight() const { return m_placeH; }
    EditorCursor cursor() const { return m_cursor; }
    // "X: %04d ,Y: %04d  LCD_X:%03d,LCD_Y:%03d" of the last pointer move.
    const std::string& statusText() const { return m_status; }

    static constexpr int kNoIndex = 100;

private:
    // A tool other than select: placing, or a handle under the pointer.
    bool armed() const { return m_placeKind != 0 || m_handle != Handle::None; }
    void disarm() {
        m_placeKind = 0;
        m_handle = Handle::None;
    }
    int hitTest(Point p);
    // The object under p without changing anything: its kind (0 none) and slot.
    std::pair<int, int> objectAt(Point p) const;
    // A drag of the selection starts at p: every selected object moves along.
    void startGroupDrag(Point p);
    void moveGroup(Point p);
    void handleTest(Point p);
    void updateCursor();
    void place();
    void moveCurrent(Point p);
    void resizeCurrent(Point p);
    void bandSelect();
    bool inBandArea(Point p) const;

    ScreenContents& m_contents;
    int m_placeKind = 0;
    Handle m_handle = Handle::None;
    DragMode m_dragMode = DragMode::None;
    int m_curKind = 0;
    int m_curIndex = kNoIndex;
    Point m_cur;
    int m_placeW = 0;
    int m_placeH = 0;
    Point m_last;
    Rect m_band;
    // The dragged selection: where its objects were when the drag started, and how far it
    // has gone (whole grid steps, kept inside the LCD).
    std::vector<ObjectArrangement::Member> m_group;
    Rect m_groupBounds;
    Point m_groupOffset;
    // A press on an object of a larger selection: unless the pointer drags, the release
    // leaves that object selected alone.
    bool m_narrowOnRelease = false;
    bool m_dragged = false;
    EditorCursor m_cursor = EditorCursor::Arrow;
    std::string m_status;
};

} // namespace dispcraft
