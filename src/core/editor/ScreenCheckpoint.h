#pragma once

#include "editor/ObjectSelection.h"
#include "editor/ScreenObjects.h"
#include "editor/UndoCommand.h"
#include "objects/PanelKeys.h"

#include <array>
#include <functional>
#include <memory>

namespace dispcraft {

class ScreenContents;

// A screen window's working state before a change. Compared with the state after the change,
// it gives the step of the history: a move when only positions changed, an edit otherwise,
// nothing when only the selection did.
class ScreenCheckpoint {
public:
    explicit ScreenCheckpoint(const ScreenContents& screen);

    // What the change did, for naming its step.
    struct Difference {
        int moved = 0;  // objects that only changed place
        int edited = 0; // objects placed, removed or otherwise changed
        bool keys = false;
        bool empty() const { return moved == 0 && edited == 0 && !keys; }
        bool movesOnly() const { return moved > 0 && edited == 0 && !keys; }
    };
    using Naming = std::function<Message(const Difference&)>;

    // The step from this checkpoint to screen as it is now; null when nothing but the
    // selection changed, and the window's changed flag then goes back to what it was. A move
    // carries mergeId.
    std::unique_ptr<UndoCommand> stepTo(ScreenContents& screen, const Naming& naming,
                                        int mergeId = 0) const;

    // "Move an object" / "Move %s objects".
    static Message moveName(int objects);

private:
    int m_key;
    ScreenObjects m_objects;
    std::array<KeyRecord, kPanelKeys> m_keys;
    FunctionKeyTargets m_fnKeys;
    ObjectSelection m_selection;
    bool m_modified;
};

} // namespace dispcraft
