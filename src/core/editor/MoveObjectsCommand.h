#pragma once

#include "base/Geometry.h"
#include "editor/ObjectSelection.h"
#include "editor/UndoCommand.h"

#include <cstdint>
#include <vector>

namespace dispcraft {

// A step that only moved objects of one screen window: their slots with the positions before
// and after, and the selection before and after. Small (a few bytes an object), so that a
// screen's every object may move in every step of a long history.
class MoveObjectsCommand : public UndoCommand {
public:
    struct Move {
        uint8_t kind = 0;
        uint8_t slot = 0;
        Point from;
        Point to;
    };
    // The merge id of arrow-key moves: consecutive ones of the same objects become one step.
    static constexpr int kNudge = 1;

    MoveObjectsCommand(int screenKey, Message name, std::vector<Move> moves, ObjectSelection before,
                       ObjectSelection after, int mergeId = 0);

    bool undo(UndoTarget& target) override;
    bool redo(UndoTarget& target) override;
    Message name() const override { return m_name; }
    int screenKey() const override { return m_key; }
    void rekey(int from, int to) override {
        if (m_key == from) {
            m_key = to;
        }
    }
    bool editsWindow() const override { return true; }
    int mergeId() const override { return m_mergeId; }
    bool mergeWith(const UndoCommand& next) override;
    size_t bytes() const override;

    const std::vector<Move>& moves() const { return m_moves; }

private:
    bool apply(UndoTarget& target, bool after);

    int m_key;
    Message m_name;
    std::vector<Move> m_moves;
    ObjectSelection m_before;
    ObjectSelection m_after;
    int m_mergeId;
};

} // namespace dispcraft
