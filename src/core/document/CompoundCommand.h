#pragma once

#include "editor/UndoCommand.h"

#include <memory>
#include <vector>

namespace dispcraft {

// One step made of several: a dialog of a screen window that changed the window's objects and
// the project alike. Undone last part first.
class CompoundCommand : public UndoCommand {
public:
    CompoundCommand(Message name, std::vector<std::unique_ptr<UndoCommand>> parts);

    bool undo(UndoTarget& target) override;
    bool redo(UndoTarget& target) override;
    Message name() const override { return m_name; }
    int screenKey() const override;
    bool editsWindow() const override;
    bool forgetWindow(int key) override;
    void rekey(int from, int to) override;
    bool needsClosedWindows() const override;
    size_t bytes() const override;

private:
    Message m_name;
    std::vector<std::unique_ptr<UndoCommand>> m_parts;
};

} // namespace dispcraft
