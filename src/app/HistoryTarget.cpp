#include "app/HistoryTarget.h"

#include "app/MainWindow.h"
#include "app/ScreenWindow.h"
#include "document/ProjectDocument.h"
#include "model/ProjectStore.h"

#include <QMdiArea>

namespace dispcraft {

ProjectStore& HistoryTarget::store() {
    return m_main.store();
}

ScreenContents* HistoryTarget::screenWindow(int key) {
    ScreenWindow* w = m_main.windowOfKey(key);
    if (w == nullptr && key > 0 && m_main.store().screenExists(key)) {
        m_main.openScreen(key);
        w = m_main.windowOfKey(key);
    }
    if (w == nullptr) {
        return nullptr;
    }
    m_main.mdiArea()->setActiveSubWindow(w);
    w->raise();
    return &w->session().screen();
}

void HistoryTarget::rebindWindow(int fromKey, int toKey) {
    m_main.document().history().rekeyWindow(fromKey, toKey);
    ScreenWindow* w = m_main.windowOfKey(fromKey);
    if (w == nullptr) {
        return;
    }
    ScreenContents& screen = w->session().screen();
    if (toKey > 0) {
        // Another window showing that number goes: the step gives the number to this one.
        if (ScreenWindow* other = m_main.windowOfKey(toKey); other != nullptr && other != w) {
            other->closeQuietly();
        }
        screen.bindScreenNumber(
            toKey, m_main.store().entries[static_cast<size_t>(toKey)].nameString(), true);
    } else {
        screen.unbindScreenNumber(toKey);
    }
    w->updateTitle();
}

void HistoryTarget::storedScreensChanged(const std::vector<int>& screens) {
    for (int s : screens) {
        ScreenWindow* w = m_main.windowOfScreen(s);
        if (w == nullptr) {
            continue;
        }
        if (m_main.store().screenExists(s)) {
            w->reload(false);
        } else {
            w->closeQuietly();
        }
    }
}

void HistoryTarget::projectChanged() {
    m_main.rebuildWorkspace();
    // Pictures and keys show in every window.
    for (ScreenWindow* w : m_main.screenWindows()) {
        w->session().screen().invalidateAll(true);
        w->afterEdit();
    }
}

} // namespace dispcraft
