// The view commands of a screen window: enable rules, delete, remove, summary, clipboard.
#include "editor/ClipboardBlock.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"

#include <algorithm>
#include <utility>

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
    forEachKind([&](auto k) {
        using K = decltype(k);
        auto& list = m_objects.list<K>();
        // A removed slot is examined again, so a run of selected objects goes at once.
        for (size_t i = 0; i < list.size();) {
            if (list[i].occupies(K::kCode) && list[i].selected()) {
                m_objects.removeAt<K>(static_cast<int>(i));
            } else {
                ++i;
            }
        }
    });
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
    std::vector<Message> parts = {
        Message::text("***********************\n"),
        Message::string(63580),
        Message::text("***********************\n\n"),
        Message::string(63581),
        Message::text("----------------------------\n"),
    };
    // One line per kind, in the order of their strings.
    std::vector<std::pair<int, int>> lines;
    forEachKind([&](auto k) {
        using K = decltype(k);
        lines.emplace_back(K::kSummaryString, m_objects.count(K::kCode));
    });
    std::sort(lines.begin(), lines.end());
    for (const auto& [string, count] : lines) {
        parts.push_back(Message::string(string, {std::to_string(count)}));
    }
    parts.push_back(Message::text("----------------------------\n\n"));
    return parts;
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
