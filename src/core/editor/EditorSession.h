#pragma once

#include "base/ProgramDirectory.h"
#include "editor/EditorClipboard.h"
#include "editor/PointerTool.h"
#include "editor/ScreenContents.h"

#include <cstdint>
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
} // namespace command

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
    // 32811 and the Delete key: deletes the selected objects.
    void deleteSelected();
    // Cut: copy, then delete the selected objects.
    std::vector<uint8_t> cutBlock();
    // Applies the paint-time rules; the view is then ready to be drawn as it is.
    const EditorSession& readyToPaint();

private:
    ScreenContents m_screen;
    PointerTool m_pointer;
    EditorClipboard m_clipboard;
};

} // namespace dispcraft
