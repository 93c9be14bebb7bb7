#include "document/ProjectChangeCommand.h"

#include "editor/UndoTarget.h"
#include "model/ProjectStore.h"

#include <algorithm>

namespace dispcraft {

ProjectChangeCommand::ProjectChangeCommand(Message name) : m_name(std::move(name)) {}

void ProjectChangeCommand::addSetting(std::unique_ptr<Setting> setting) {
    m_settings.push_back(std::move(setting));
}

void ProjectChangeCommand::addEntry(int screen, const ScreenEntry& before,
                                    const ScreenEntry& after) {
    m_entries.push_back({screen, before, after});
}

void ProjectChangeCommand::addBlock(int screen, const ScreenBlock& before,
                                    const ScreenBlock& after) {
    m_blocks.push_back(
        {screen, std::make_unique<ScreenBlock>(before), std::make_unique<ScreenBlock>(after)});
}

void ProjectChangeCommand::addChangedScreen(int screen) {
    m_changedScreens.push_back(screen);
}

void ProjectChangeCommand::addRebind(int fromKey, int toKey) {
    m_rebinds.emplace_back(fromKey, toKey);
}

void ProjectChangeCommand::setShownWindows(int before, int after) {
    m_shownBefore = before;
    m_shownAfter = after;
}

bool ProjectChangeCommand::undo(UndoTarget& target) {
    apply(target, false);
    return true;
}

bool ProjectChangeCommand::redo(UndoTarget& target) {
    apply(target, true);
    return true;
}

void ProjectChangeCommand::apply(UndoTarget& target, bool after) {
    ProjectStore& store = target.store();
    for (const auto& setting : m_settings) {
        setting->apply(store, after);
    }
    for (const EntryChange& e : m_entries) {
        store.entries.at(static_cast<size_t>(e.screen)) = after ? e.after : e.before;
    }
    for (const BlockChange& b : m_blocks) {
        store.screens.at(static_cast<size_t>(b.screen)) = after ? *b.after : *b.before;
    }
    // Windows that moved with the change move back (undo, last first) or again (redo); the
    // screens they end on are theirs, not to be loaded again.
    std::vector<int> kept;
    if (after) {
        for (const auto& [from, to] : m_rebinds) {
            target.rebindWindow(from, to);
            kept.push_back(to);
        }
    } else {
        for (auto it = m_rebinds.rbegin(); it != m_rebinds.rend(); ++it) {
            target.rebindWindow(it->second, it->first);
            kept.push_back(it->first);
        }
    }
    std::vector<int> reload;
    for (int s : m_changedScreens) {
        if (std::find(kept.begin(), kept.end(), s) == kept.end()) {
            reload.push_back(s);
        }
    }
    if (!reload.empty()) {
        target.storedScreensChanged(reload);
    }
    target.projectChanged();
    const int shown = after ? m_shownAfter : m_shownBefore;
    if (shown != 0) {
        target.screenWindow(shown);
    }
}

size_t ProjectChangeCommand::bytes() const {
    size_t n = sizeof(*this) + m_entries.capacity() * sizeof(EntryChange) +
               m_changedScreens.capacity() * sizeof(int);
    for (const auto& setting : m_settings) {
        n += setting->bytes();
    }
    for (const BlockChange& b : m_blocks) {
        n += 2 * sizeof(ScreenBlock) + b.before->textPool.capacity() + b.after->textPool.capacity();
    }
    return n;
}

} // namespace dispcraft
