#include "app/workspace/WorkspaceDock.h"

#include "app/MainWindow.h"
#include "app/UiText.h"
#include "app/workspace/FileTree.h"
#include "app/workspace/ProjectTree.h"
#include "app/workspace/ResourceTree.h"
#include "app/workspace/TreeIcons.h"

#include <QTabWidget>

namespace dispcraft {

WorkspaceDock::WorkspaceDock(MainWindow& main)
    : QDockWidget(ui::text(61554), &main), m_main(main) {
    setObjectName(QStringLiteral("workspace"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_tabs = new QTabWidget(this);
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    setWidget(m_tabs);

    m_project = new ProjectTree(main, m_tabs);
    m_files = new FileTree(m_tabs);
    m_resources = new ResourceTree(m_tabs);
    // Each tab is named after what its tree shows.
    const auto projectImages = treeicons::projectList();
    m_tabs->addTab(m_project, projectImages[0], m_project->caption(ProjectTree::kProject));
    m_tabs->addTab(m_files, treeicons::fileList()[2], m_files->caption(0));
    m_tabs->addTab(m_resources, treeicons::resourceList()[0], m_resources->caption(0));
    rebuild();
}

void WorkspaceDock::rebuild() { m_project->rebuild(); }

void WorkspaceDock::refreshScreens() { m_project->refreshScreens(); }

} // namespace dispcraft
