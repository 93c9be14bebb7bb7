#include "document/UndoHistory.h"

#include "editor/UndoTarget.h"

#include <algorithm>

namespace dispcraft {

UndoHistory::UndoHistory(size_t limit, size_t byteBudget)
    : m_limit(std::max(limit, kMinimumSteps)), m_byteBudget(byteBudget) {}

void UndoHistory::push(std::unique_ptr<UndoCommand> step) {
    if (!step) {
        return;
    }
    // Steps that were undone cannot be made again after a new change.
    while (m_steps.size() > m_index) {
        m_steps.pop_back();
    }
    if (m_clean && *m_clean > m_index) {
        m_clean.reset();
    }
    // The saved step is never changed by a merge: undoing to it must give the saved state.
    if (m_index > 0 && step->mergeId() != 0 && m_clean != m_index) {
        Entry& top = m_steps[m_index - 1];
        if (top.step->mergeId() == step->mergeId() && top.step->mergeWith(*step)) {
            top.mark = m_nextMark++;
            return;
        }
    }
    m_steps.push_back(Entry{std::move(step), m_nextMark++});
    m_index = m_steps.size();
    trim();
}

void UndoHistory::trim() {
    size_t total = bytes();
    while (m_steps.size() > 1 && (m_steps.size() > m_limit || total > m_byteBudget)) {
        const Entry& oldest = m_steps.front();
        total -= std::min(total, oldest.step->bytes());
        if (oldest.step->editsWindow() && m_index > 0) {
            // Done, so the window's state includes it: its mark stays the window's mark.
            m_baseMarks[oldest.step->screenKey()] = oldest.mark;
        }
        m_steps.erase(m_steps.begin());
        m_index = m_index > 0 ? m_index - 1 : 0;
        if (m_clean) {
            if (*m_clean == 0) {
                m_clean.reset();
            } else {
                --*m_clean;
            }
        }
    }
}

void UndoHistory::erase(size_t at) {
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(at));
    if (at < m_index) {
        --m_index;
    }
    if (m_clean && at < *m_clean) {
        --*m_clean;
    }
}

Message UndoHistory::undoName() const {
    return canUndo() ? m_steps[m_index - 1].step->name() : Message{};
}

Message UndoHistory::redoName() const {
    return canRedo() ? m_steps[m_index].step->name() : Message{};
}

bool UndoHistory::undo(UndoTarget& target) {
    bool done = false;
    m_busy = true;
    while (!done && m_index > 0) {
        if (m_steps[m_index - 1].step->undo(target)) {
            --m_index;
            done = true;
        } else {
            erase(m_index - 1);
        }
    }
    m_busy = false;
    forgetPending();
    return done;
}

bool UndoHistory::redo(UndoTarget& target) {
    bool done = false;
    m_busy = true;
    while (!done && m_index < m_steps.size()) {
        if (m_steps[m_index].step->redo(target)) {
            ++m_index;
            done = true;
        } else {
            erase(m_index);
        }
    }
    m_busy = false;
    forgetPending();
    return done;
}

void UndoHistory::setClean() {
    m_clean = m_index;
}

void UndoHistory::clear() {
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
    m_baseMarks.clear();
    m_pendingForget.clear();
}

void UndoHistory::forgetWindow(int key) {
    m_pendingForget.push_back(key);
    if (!m_busy) {
        forgetPending();
    }
}

void UndoHistory::forgetPending() {
    std::vector<int> keys;
    keys.swap(m_pendingForget);
    for (int key : keys) {
        for (size_t i = m_steps.size(); i-- > 0;) {
            if (m_steps[i].step->forgetWindow(key)) {
                erase(i);
            }
        }
        // A window loaded again starts from a mark no step carries.
        m_baseMarks[key] = m_nextMark++;
    }
}

void UndoHistory::rekeyWindow(int from, int to) {
    if (from == to) {
        return;
    }
    for (Entry& e : m_steps) {
        e.step->rekey(from, to);
    }
    auto it = m_baseMarks.find(from);
    if (it != m_baseMarks.end()) {
        m_baseMarks[to] = it->second;
        m_baseMarks.erase(from);
    }
}

uint64_t UndoHistory::stateMark(int key) const {
    for (size_t i = m_index; i-- > 0;) {
        const UndoCommand& step = *m_steps[i].step;
        if (step.editsWindow() && step.screenKey() == key) {
            return m_steps[i].mark;
        }
    }
    auto it = m_baseMarks.find(key);
    return it == m_baseMarks.end() ? 0 : it->second;
}

size_t UndoHistory::bytes() const {
    size_t total = 0;
    for (const Entry& e : m_steps) {
        total += e.step->bytes();
    }
    return total;
}

} // namespace dispcraft
