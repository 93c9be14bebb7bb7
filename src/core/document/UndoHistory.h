#pragma once

#include "base/Message.h"
#include "editor/UndoSink.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace dispcraft {

class UndoTarget;

// The project's history of changes: a list of steps with a position between them. Steps below
// the position are done (undo takes the last of them back), steps above it were undone (redo
// makes the first of them again); recording a new step drops those above.
//
// The history remembers the position at which the project was last saved (the clean state):
// the project has unsaved changes exactly when the position is elsewhere. It keeps the newest
// limit steps (at least kMinimumSteps); older ones go, and so do old ones while the steps
// together would hold more than the byte budget (never the newest).
class UndoHistory : public UndoSink {
public:
    static constexpr size_t kMinimumSteps = 200;
    static constexpr size_t kDefaultLimit = 256;
    static constexpr size_t kDefaultByteBudget = size_t(256) << 20;

    explicit UndoHistory(size_t limit = kDefaultLimit, size_t byteBudget = kDefaultByteBudget);

    // A change already done becomes the newest step, or joins the newest step when both carry
    // the same merge id and the newest is not the saved state.
    void push(std::unique_ptr<UndoCommand> step) override;

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }
    // The names of the steps undo and redo would act on (empty messages when none).
    Message undoName() const;
    Message redoName() const;
    // The steps undo and redo would act on (null when none).
    const UndoCommand* nextUndo() const {
        return canUndo() ? m_steps[m_index - 1].step.get() : nullptr;
    }
    const UndoCommand* nextRedo() const {
        return canRedo() ? m_steps[m_index].step.get() : nullptr;
    }
    // Takes the last done step back. A step with nothing left to act on is dropped and the one
    // before it is taken back instead. False when no step was undone.
    bool undo(UndoTarget& target);
    bool redo(UndoTarget& target);

    // The project was saved (or opened): this position is the clean state.
    void setClean();
    bool isClean() const { return m_clean == m_index; }
    // The project closed or was replaced: every step goes, the empty history is clean.
    void clear();

    // A window's unsaved edits were thrown away (closed without saving, or loaded again): the
    // steps that edited it go, wherever they are.
    void forgetWindow(int key);
    // The window with key from now goes by key to: its steps follow it.
    void rekeyWindow(int from, int to);
    // A mark for the state of window key: the newest done step that edited it. A window
    // remembers the mark when it is stored; it holds unsaved edits while the mark differs.
    uint64_t stateMark(int key) const;

    size_t count() const { return m_steps.size(); }
    size_t index() const { return m_index; }
    size_t limit() const { return m_limit; }
    size_t bytes() const;

private:
    struct Entry {
        std::unique_ptr<UndoCommand> step;
        uint64_t mark = 0;
    };
    void trim();
    void erase(size_t at);
    // Forgetting asked for while a step acts (a window loaded again by it) waits until the
    // step is done, so that no step goes while it runs.
    void forgetPending();

    std::vector<Entry> m_steps;
    size_t m_index = 0;
    // Position of the saved state; none when it can no longer be reached.
    std::optional<size_t> m_clean = 0;
    size_t m_limit;
    size_t m_byteBudget;
    uint64_t m_nextMark = 1;
    // Marks of windows whose newest done step went from the history (dropped as oldest).
    std::map<int, uint64_t> m_baseMarks;
    bool m_busy = false;
    std::vector<int> m_pendingForget;
};

} // namespace dispcraft
