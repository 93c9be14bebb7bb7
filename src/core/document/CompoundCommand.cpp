#include "document/CompoundCommand.h"

namespace dispcraft {

CompoundCommand::CompoundCommand(Message name, std::vector<std::unique_ptr<UndoCommand>> parts)
    : m_name(std::move(name)), m_parts(std::move(parts)) {}

bool CompoundCommand::undo(UndoTarget& target) {
    bool any = false;
    for (auto it = m_parts.rbegin(); it != m_parts.rend(); ++it) {
        any = (*it)->undo(target) || any;
    }
    return any;
}

bool CompoundCommand::redo(UndoTarget& target) {
    bool any = false;
    for (const auto& part : m_parts) {
        any = part->redo(target) || any;
    }
    return any;
}

int CompoundCommand::screenKey() const {
    for (const auto& part : m_parts) {
        if (part->editsWindow()) {
            return part->screenKey();
        }
    }
    return m_parts.empty() ? 0 : m_parts.front()->screenKey();
}

bool CompoundCommand::editsWindow() const {
    for (const auto& part : m_parts) {
        if (part->editsWindow()) {
            return true;
        }
    }
    return false;
}

bool CompoundCommand::forgetWindow(int key) {
    for (size_t i = m_parts.size(); i-- > 0;) {
        if (m_parts[i]->forgetWindow(key)) {
            m_parts.erase(m_parts.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return m_parts.empty();
}

void CompoundCommand::rekey(int from, int to) {
    for (const auto& part : m_parts) {
        part->rekey(from, to);
    }
}

bool CompoundCommand::needsClosedWindows() const {
    for (const auto& part : m_parts) {
        if (part->needsClosedWindows()) {
            return true;
        }
    }
    return false;
}

size_t CompoundCommand::bytes() const {
    size_t n = sizeof(*this);
    for (const auto& part : m_parts) {
        n += part->bytes();
    }
    return n;
}

} // namespace dispcraft
