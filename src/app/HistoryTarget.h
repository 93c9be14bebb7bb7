#pragma once

#include "editor/UndoTarget.h"

namespace dispcraft {

class MainWindow;

// The project's windows as the steps of the history see them: a step that changed a screen
// finds its window here (brought to the front, opened when it was closed), a renumbered
// window follows its number, windows of stored screens a step changed load them again.
class HistoryTarget : public UndoTarget {
public:
    explicit HistoryTarget(MainWindow& main) : m_main(main) {}

    ProjectStore& store() override;
    ScreenContents* screenWindow(int key) override;
    void rebindWindow(int fromKey, int toKey) override;
    void storedScreensChanged(const std::vector<int>& screens) override;
    void projectChanged() override;

private:
    MainWindow& m_main;
};

} // namespace dispcraft
