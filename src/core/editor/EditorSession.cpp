#include "editor/EditorSession.h"

#include "editor/MoveObjectsCommand.h"
#include "editor/UndoMessages.h"
#include "editor/UndoSink.h"
#include "model/ProjectStore.h"

#include <string>
#include <utility>

namespace dispcraft {

namespace {

Message counted(int one, int many, int n) {
    return n == 1 ? Message::string(one) : Message::string(many, {std::to_string(n)});
}

int selectedCount(const ScreenObjects& objects) {
    int n = 0;
    forEachKind([&](auto k) {
        using K = decltype(k);
        for (const auto& o : objects.list<K>()) {
            n += o.occupies(K::kCode) && o.selected() ? 1 : 0;
        }
    });
    return n;
}

} // namespace

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
    case command::kSelectAll: {
        bool any = false;
        for (int kind : ScreenObjects::kKinds) {
            any = any || m_screen.objects().count(kind) > 0;
        }
        return any;
    }
    default:
        for (int align : command::kAlignCommands) {
            if (cmd == align) {
                return selectedCount(m_screen.objects()) >= 2;
            }
        }
        return true;
    }
}

void EditorSession::record(const ScreenCheckpoint& before, const ScreenCheckpoint::Naming& naming,
                           int mergeId) {
    std::unique_ptr<UndoCommand> step = before.stepTo(m_screen, naming, mergeId);
    if (step && m_undo != nullptr) {
        m_undo->push(std::move(step));
    }
}

// ---- Pointer gestures -------------------------------------------------------------------------

void EditorSession::press(Point p, bool toggle) {
    m_gesture.emplace(m_screen);
    m_gesturePlacing = m_pointer.placingKind();
    m_gestureResizing = m_pointer.dragMode() == DragMode::Resize ? m_pointer.currentKind() : 0;
    m_pointer.press(p, toggle);
}

void EditorSession::release(Point p) {
    m_pointer.release(p);
    if (!m_gesture) {
        return;
    }
    const int placing = m_gesturePlacing;
    const int resizing = m_gestureResizing;
    record(*m_gesture, [&](const ScreenCheckpoint::Difference& d) {
        if (d.movesOnly()) {
            return ScreenCheckpoint::moveName(d.moved);
        }
        if (placing != 0) {
            return undomsg::withKindName(undomsg::kPlace, placing);
        }
        if (resizing != 0) {
            return undomsg::withKindName(undomsg::kResize, resizing);
        }
        return Message::string(undomsg::kEditObjects);
    });
    m_gesture.reset();
}

// ---- Keyboard and commands ----------------------------------------------------------------------

void EditorSession::nudge(int stepsRight, int stepsDown) {
    if (!m_screen.objects().anySelected()) {
        return;
    }
    const ScreenCheckpoint before(m_screen);
    ObjectArrangement::moveSelection(
        m_screen, {stepsRight * ScreenContents::kGrid, stepsDown * ScreenContents::kGrid});
    record(before, [](const auto& d) { return ScreenCheckpoint::moveName(d.moved); },
           MoveObjectsCommand::kNudge);
}

void EditorSession::selectAll() {
    m_screen.selectAll();
}

void EditorSession::align(Alignment how) {
    const ScreenCheckpoint before(m_screen);
    ObjectArrangement::align(m_screen, how);
    const int name = undomsg::kAlignLeft + static_cast<int>(how);
    record(before, [name](const auto&) { return Message::string(name); });
}

void EditorSession::removeSelected() {
    m_screen.removeSelected();
    m_pointer.forgetCurrent();
    m_screen.invalidateLcd(true);
}

void EditorSession::deleteSelected() {
    const int n = selectedCount(m_screen.objects());
    const ScreenCheckpoint before(m_screen);
    removeSelected();
    record(before, [n](const auto&) {
        return counted(undomsg::kDeleteOne, undomsg::kDeleteMany, n);
    });
}

std::vector<uint8_t> EditorSession::cutBlock() {
    const int n = selectedCount(m_screen.objects());
    const ScreenCheckpoint before(m_screen);
    std::vector<uint8_t> block = m_clipboard.copyBlock();
    removeSelected();
    record(before, [n](const auto&) { return counted(undomsg::kCutOne, undomsg::kCutMany, n); });
    return block;
}

int EditorSession::paste(const uint8_t* data, size_t size) {
    const ScreenCheckpoint before(m_screen);
    const int n = m_clipboard.paste(data, size);
    record(before, [n](const auto&) {
        return counted(undomsg::kPasteOne, undomsg::kPasteMany, n);
    });
    return n;
}

const EditorSession& EditorSession::readyToPaint() {
    if (m_screen.settleForPaint(m_pointer.currentKind())) {
        m_pointer.forgetCurrent();
    }
    return *this;
}

} // namespace dispcraft
