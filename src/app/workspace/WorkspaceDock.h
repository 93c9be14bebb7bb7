#pragma once

#include <QDockWidget>

class QTabWidget;

namespace dispcraft {

class MainWindow;

// The docked workspace bar (caption string 61554). It will host the project, file and resource
// trees; the main window tells it when the project changed as a whole (rebuild) and when only
// the screen list changed (refreshScreens).
class WorkspaceDock : public QDockWidget {
    Q_OBJECT
public:
    explicit WorkspaceDock(MainWindow& main);

    // New, open, close of a project, another model or other links.
    void rebuild();
    // A screen was stored, renamed, renumbered or removed.
    void refreshScreens();
    // The tab widget the trees go into.
    QTabWidget* tabs() const { return m_tabs; }

private:
    MainWindow& m_main;
    QTabWidget* m_tabs = nullptr;
};

} // namespace dispcraft
