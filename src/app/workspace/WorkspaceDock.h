#pragma once

#include <QDockWidget>

class QTabWidget;

namespace dispcraft {

class FileTree;
class MainWindow;
class ProjectTree;
class ResourceTree;

// The docked workspace bar (caption string 61554) with its three trees, one tab each: the
// project tree, the file tree and the resource tree. The main window tells it when the project
// changed as a whole (rebuild) and when only the screen list changed (refreshScreens).
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

    ProjectTree* projectTree() const { return m_project; }
    FileTree* fileTree() const { return m_files; }
    ResourceTree* resourceTree() const { return m_resources; }

private:
    MainWindow& m_main;
    QTabWidget* m_tabs = nullptr;
    ProjectTree* m_project = nullptr;
    FileTree* m_files = nullptr;
    ResourceTree* m_resources = nullptr;
};

} // namespace dispcraft
