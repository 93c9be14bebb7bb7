#pragma once

#include "base/Message.h"
#include "document/ProjectCheckpoint.h"
#include "editor/ScreenCheckpoint.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace dispcraft {

class ScreenContents;
class UndoSink;
struct ProjectStore;

// Records one action of the user that may change the project and screen windows (a dialog, a
// command of the screen list) as one step of the history: made before the action, it takes
// checkpoints; commit compares and hands the step over. An action that changed nothing
// records nothing.
//
// The project's changed flag is what the history says once the step is recorded, so commit
// puts the store's flag back to what it was before the action.
class ChangeRecorder {
public:
    ChangeRecorder(UndoSink& history, ProjectStore& store);
    ~ChangeRecorder();

    // The action may also change this window's working lists; the window must still be open
    // at commit.
    void watch(ScreenContents& window);
    // The action moves the window with fromKey to toKey (a screen numbered or renumbered).
    void rebind(int fromKey, int toKey);
    // The window to bring to the front after undo and after redo.
    void showWindows(int before, int after);
    // The step moves every object with the LCD (see UndoCommand::needsClosedWindows).
    void setNeedsClosedWindows() { m_needsClosedWindows = true; }
    // Ends the action: what changed becomes one step named name. False when nothing changed.
    bool commit(const Message& name);

private:
    UndoSink& m_history;
    ProjectStore& m_store;
    bool m_treeChanged;
    ProjectCheckpoint m_project;
    ScreenContents* m_window = nullptr;
    std::optional<ScreenCheckpoint> m_windowBefore;
    std::vector<std::pair<int, int>> m_rebinds;
    int m_shownBefore = 0;
    int m_shownAfter = 0;
    bool m_needsClosedWindows = false;
};

} // namespace dispcraft
