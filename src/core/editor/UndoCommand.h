#pragma once

#include "base/Message.h"

#include <cstddef>

namespace dispcraft {

class UndoTarget;

// One step of the project's history: a change the user made, already done when it is recorded,
// that can be taken back and made again. Steps keep what they need to do both (the values
// before and after), so each holds a bounded amount of memory.
class UndoCommand {
public:
    virtual ~UndoCommand() = default;

    // False when there is nothing left to act on (the window of a screen that never had a
    // number has gone); the history then drops the step.
    virtual bool undo(UndoTarget& target) = 0;
    virtual bool redo(UndoTarget& target) = 0;
    // What the step did, as the Undo and Redo commands name it: "Move 3 objects".
    virtual Message name() const = 0;
    // The screen window the step changed, by its history key (ScreenContents::historyKey),
    // or 0 for a change of the project alone. Undoing it brings that window to the front.
    virtual int screenKey() const { return 0; }
    // Whether the step changed the working lists of the window screenKey(): such steps go
    // when the window's unsaved edits are thrown away.
    virtual bool editsWindow() const { return false; }
    // The edits of window key were thrown away: drops what this step did there. True when
    // nothing is left of the step.
    virtual bool forgetWindow(int key) { return editsWindow() && screenKey() == key; }
    // The window with key from now goes by key to (a screen numbered or renumbered).
    virtual void rekey(int from, int to) {
        (void)from;
        (void)to;
    }
    // Consecutive steps with the same non-zero merge id may become one (arrow-key moves).
    virtual int mergeId() const { return 0; }
    // Takes next (recorded after this one) into this step; false when they do not combine.
    virtual bool mergeWith(const UndoCommand& next) {
        (void)next;
        return false;
    }
    // A step that moves every object with the LCD (another panel model) is undone and redone
    // only while no screen window is open, as the change itself was made: the windows hold
    // working copies placed for the other LCD.
    virtual bool needsClosedWindows() const { return false; }
    // The memory the step holds, roughly.
    virtual size_t bytes() const = 0;
};

} // namespace dispcraft
