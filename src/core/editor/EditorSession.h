#pragma once

#include "base/ProgramDirectory.h"
#include "editor/EditorClipboard.h"
#include "editor/ObjectArrangement.h"
#include "editor/PointerTool.h"
#include "editor/ScreenCheckpoint.h"
#include "editor/ScreenContents.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dispcraft {

struct ProjectStore;
class MessageSink;

// Command numbers a screen window handles (menus, toolbars and the context menu carry them).
namespace command {
constexpr int kPlaceTextString = 32773;
constexpr int kPlaceMsgDisp = 32778;
constexpr int kPlaceNumDisp = 32790;
constexpr int kPlaceShortNumDisp = 32832;
constexpr int kPlaceBarGraph = 32791;
constexpr int kPlaceTrendGraph = 32792;
constexpr int kPlaceLamp = 32794;
constexpr int kPlacePicture = 32795;
constexpr int kSelectTool = 32831;
constexpr int kDelete = 32811;
constexpr int kRedraw = 32822;
constexpr int kRemoveScreen = 32829;
constexpr int kSummary = 32834;
constexpr int kCopy = 57634;
constexpr int kCut = 57635;
constexpr int kPaste = 57637;
constexpr int kClose = 57602;
constexpr int kSave = 57603;
constexpr int kSaveAs = 57604;
constexpr int kOpen = 57601;
constexpr int kBuild = 32775;
constexpr int kNew = 57600;
// Selecting and arranging (numbered in the history's range of language strings).
constexpr int kSelectAll = 66202;
constexpr int kAlignLeft = 66203;
constexpr int kAlignRight = 66204;
constexpr int kAlignTop = 66205;
constexpr int kAlignBottom = 66206;
constexpr int kAlignCentres = 66207;
constexpr int kAlignMiddles = 66208;
constexpr int kSpaceAcross = 66209;
constexpr int kSpaceDown = 66210;
// The arrangement commands in the order of Alignment.
constexpr int kAlignCommands[] = {kAlignLeft,    kAlignRight,   kAlignTop,    kAlignBottom,
                                  kAlignCentres, kAlignMiddles, kSpaceAcross, kSpaceDown};
} // namespace command

class UndoSink;

// One screen window without its widget: what it edits (screen), the pointer that edits it
// (pointer) and its side of the clipboard (clipboard), with the commands that need more than
// one of them. Events go in; out come invalidation rectangles, the cursor, the status text,
// messages (through the MessageSink) and requests for dialogs.
class EditorSession {
public:
    EditorSession(ProjectStore& store, ProgramDirectory dir, MessageSink& sink);

    ScreenContents& screen() { return m_screen; }
    const ScreenContents& screen() const { return m_screen; }
    PointerTool& pointer() { return m_pointer; }
    const PointerTool& pointer() const { return m_pointer; }
    EditorClipboard& clipboard() { return m_clipboard; }
    const EditorClipboard& clipboard() const { return m_clipboard; }

    bool commandEnabled(int cmd, bool clipboardHasBlock) const;

    // Where the steps of this window's edits go (the project's history); without one they are
    // not recorded. Every edit below that changes something is one step.
    void setUndoSink(UndoSink* sink) { m_undo = sink; }
    UndoSink* undoSink() const { return m_undo; }

    // The left button, through the pointer tool: what happens from press to release (placing,
    // moving, resizing) is one step.
    void press(Point p, bool toggle = false);
    void release(Point p);
    // An arrow key: the selection moves by whole grid steps as a group kept inside the LCD;
    // moves of the same objects one after the other are one step.
    void nudge(int stepsRight, int stepsDown);
    // Ctrl+A.
    void selectAll();
    // The arrangement commands (two or more objects selected).
    void align(Alignment how);
    // 32811 and the Delete key: deletes the selected objects.
    void deleteSelected();
    // Cut: copy, then delete the selected objects.
    std::vector<uint8_t> cutBlock();
    // Paste of a block from the clipboard (untrusted); see EditorClipboard::paste.
    int paste(const uint8_t* data, size_t size);
    // Applies the paint-time rules; the view is then ready to be drawn as it is.
    const EditorSession& readyToPaint();

private:
    // The change since before becomes a step (nothing when nothing but the selection changed).
    void record(const ScreenCheckpoint& before, const ScreenCheckpoint::Naming& naming,
                int mergeId = 0);
    void removeSelected();

    ScreenContents m_screen;
    PointerTool m_pointer;
    EditorClipboard m_clipboard;
    UndoSink* m_undo = nullptr;
    // From press to release: the state before, and what the press set out to do.
    std::optional<ScreenCheckpoint> m_gesture;
    int m_gesturePlacing = 0;
    int m_gestureResizing = 0;
};

} // namespace dispcraft
