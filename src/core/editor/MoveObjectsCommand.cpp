#include "editor/MoveObjectsCommand.h"

#include "editor/ScreenContents.h"
#include "editor/UndoTarget.h"

namespace dispcraft {

MoveObjectsCommand::MoveObjectsCommand(int screenKey, Message name, std::vector<Move> moves,
                                       ObjectSelection before, ObjectSelection after, int mergeId)
    : m_key(screenKey), m_name(std::move(name)), m_moves(std::move(moves)), m_before(before),
      m_after(after), m_mergeId(mergeId) {}

bool MoveObjectsCommand::undo(UndoTarget& target) {
    return apply(target, false);
}

bool MoveObjectsCommand::redo(UndoTarget& target) {
    return apply(target, true);
}

bool MoveObjectsCommand::apply(UndoTarget& target, bool after) {
    ScreenContents* screen = target.screenWindow(m_key);
    if (screen == nullptr) {
        return false;
    }
    ScreenObjects& objects = screen->objects();
    for (const Move& m : m_moves) {
        // A slot emptied meanwhile (it cannot be, while the history holds) is left alone.
        if (m.slot < ScreenObjects::capacityOf(m.kind) && objects.occupied(m.kind, m.slot)) {
            EditorObject& o = objects.head(m.kind, m.slot);
            const Point p = after ? m.to : m.from;
            o.x = p.x;
            o.y = p.y;
        }
    }
    (after ? m_after : m_before).applyTo(objects);
    screen->setModified();
    screen->invalidateAll(true);
    return true;
}

bool MoveObjectsCommand::mergeWith(const UndoCommand& next) {
    const auto* other = dynamic_cast<const MoveObjectsCommand*>(&next);
    if (other == nullptr || other->m_key != m_key || other->m_moves.size() != m_moves.size()) {
        return false;
    }
    for (size_t i = 0; i < m_moves.size(); ++i) {
        if (other->m_moves[i].kind != m_moves[i].kind ||
            other->m_moves[i].slot != m_moves[i].slot || other->m_moves[i].from != m_moves[i].to) {
            return false;
        }
    }
    for (size_t i = 0; i < m_moves.size(); ++i) {
        m_moves[i].to = other->m_moves[i].to;
    }
    m_after = other->m_after;
    m_name = other->m_name;
    return true;
}

size_t MoveObjectsCommand::bytes() const {
    return sizeof(*this) + m_moves.capacity() * sizeof(Move);
}

} // namespace dispcraft
