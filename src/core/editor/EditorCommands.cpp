// The view commands of a screen window: enable rules, delete, remove, summary, clipboard.
#include "editor/ClipboardBlock.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"

namespace dispcraft {

bool EditorSession::commandEnabled(int cmd, bool clipboardHasBlock) const {
    switch (cmd) {
    case command::kPlaceShortNumDisp:
    case command::kPlaceTrendGraph: return m_store.cpuId != 1;
    case command::kDelete:
    case command::kCopy:
    case command::kCut: return m_objects.anySelected();
    case command::kPaste: return clipboardHasBlock;
    default: return true;
    }
}

void EditorSession::selectTool() {
    m_tool = 0;
    m_cursor = EditorCursor::Arrow;
}

void EditorSession::deleteSelected() {
    m_modified = true;
    for (int kind : ScreenObjects::kKinds) {
        // A removed slot is examined again, so a run of selected objects goes at once.
        for (int i = 0; i < ScreenObjects::capacityOf(kind);) {
            const EditorObject& o = m_objects.head(kind, i);
            if (o.occupies(kind) && (o.kindWord & kSelectedBit) != 0) {
                m_objects.removeAt(kind, i);
            } else {
                ++i;
            }
        }
    }
    m_curKind = 0;
    m_curIndex = 100;
    invalidateLcd(true);
}

void EditorSession::redraw() { invalidateAll(false); }

void EditorSession::removeScreen() {
    m_store.treeChanged = true;
    if (m_screenNo >= capacity::kFirstScreen && m_screenNo <= capacity::kLastScreen) {
        m_store.entries[static_cast<size_t>(m_screenNo)].number = 0;
    }
}

std::vector<Message> EditorSession::summaryParts() const {
    auto count = [&](int kind) { return std::to_string(m_objects.count(kind)); };
    return {
        Message::text("***********************\n"),
        Message::string(63580),
        Message::text("***********************\n\n"),
        Message::string(63581),
        Message::text("----------------------------\n"),
        Message::string(63582, {count(kKindTextString)}),
        Message::string(63583, {count(kKindMsgDisp)}),
        Message::string(63584, {count(kKindNumDisp)}),
        Message::string(63585, {count(kKindBarGraph)}),
        Message::string(63586, {count(kKindLamp)}),
        Message::string(63587, {count(kKindPicture)}),
        Message::string(63588, {count(kKindTrendGraph)}),
        Message::text("----------------------------\n\n"),
    };
}

std::vector<uint8_t> EditorSession::copyBlock() {
    return ClipboardBlock::build(m_objects, m_store.projectPath, m_sink);
}

std::vector<uint8_t> EditorSession::cutBlock() {
    std::vector<uint8_t> block = copyBlock();
    deleteSelected();
    return block;
}

int EditorSession::paste(const uint8_t* data, size_t size) {
    deselectAll();
    m_modified = true;
    if (data == nullptr || size != ClipboardBlock::kSize) {
        return 0;
    }
    // Objects pasted into the project they came from go one grid step right and down so that
    // they do not hide their originals.
    int offset = ClipboardBlock::sourcePath(data) == m_store.projectPath ? 16 : 0;
    int n = ClipboardBlock::paste(m_objects, data, size, offset);
    invalidatePlacement();
    return n;
}

} // namespace dispcraft
