#include "editor/EditorSession.h"

#include "model/ProjectStore.h"

#include <utility>

namespace dispcraft {

EditorSession::EditorSession(ProjectStore& store, ProgramDirectory dir, MessageSink& sink)
    : m_screen(store, std::move(dir), sink), m_pointer(m_screen), m_clipboard(m_screen) {}

bool EditorSession::commandEnabled(int cmd, bool clipboardHasBlock) const {
    switch (cmd) {
    case command::kPlaceShortNumDisp:
    case command::kPlaceTrendGraph:
        return m_screen.store().cpu().hasCom2();
    case command::kDelete:
    case command::kCopy:
    case command::kCut:
        return m_screen.objects().anySelected();
    case command::kPaste:
        return clipboardHasBlock;
    default:
        return true;
    }
}

void EditorSession::deleteSelected() {
    m_screen.removeSelected();
    m_pointer.forgetCurrent();
    m_screen.invalidateLcd(true);
}

std::vector<uint8_t> EditorSession::cutBlock() {
    std::vector<uint8_t> block = m_clipboard.copyBlock();
    deleteSelected();
    return block;
}

const EditorSession& EditorSession::readyToPaint() {
    if (m_screen.settleForPaint(m_pointer.currentKind())) {
        m_pointer.forgetCurrent();
    }
    return *this;
}

} // namespace dispcraft
