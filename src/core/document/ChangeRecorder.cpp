#include "document/ChangeRecorder.h"

#include "document/CompoundCommand.h"
#include "editor/ScreenContents.h"
#include "editor/UndoSink.h"
#include "model/ProjectStore.h"

namespace dispcraft {

ChangeRecorder::ChangeRecorder(UndoSink& history, ProjectStore& store)
    : m_history(history), m_store(store), m_treeChanged(store.treeChanged), m_project(store) {}

ChangeRecorder::~ChangeRecorder() = default;

void ChangeRecorder::watch(ScreenContents& window) {
    m_window = &window;
    m_windowBefore.emplace(window);
    m_shownBefore = m_shownAfter = window.historyKey();
}

void ChangeRecorder::rebind(int fromKey, int toKey) {
    m_rebinds.emplace_back(fromKey, toKey);
}

void ChangeRecorder::showWindows(int before, int after) {
    m_shownBefore = before;
    m_shownAfter = after;
}

bool ChangeRecorder::commit(const Message& name) {
    std::vector<std::unique_ptr<UndoCommand>> parts;
    std::unique_ptr<ProjectChangeCommand> project = m_project.changeTo(m_store, name);
    if (project || !m_rebinds.empty()) {
        if (!project) {
            project = std::make_unique<ProjectChangeCommand>(name);
        }
        for (const auto& [from, to] : m_rebinds) {
            project->addRebind(from, to);
        }
        project->setShownWindows(m_shownBefore, m_shownAfter);
        project->setNeedsClosedWindows(m_needsClosedWindows);
        parts.push_back(std::move(project));
    }
    if (m_window != nullptr) {
        auto named = [&](const ScreenCheckpoint::Difference&) { return name; };
        if (std::unique_ptr<UndoCommand> edit = m_windowBefore->stepTo(*m_window, named)) {
            parts.push_back(std::move(edit));
        }
    }
    m_store.treeChanged = m_treeChanged;
    if (parts.empty()) {
        return false;
    }
    if (parts.size() == 1) {
        m_history.push(std::move(parts.front()));
    } else {
        m_history.push(std::make_unique<CompoundCommand>(name, std::move(parts)));
    }
    return true;
}

} // namespace dispcraft
