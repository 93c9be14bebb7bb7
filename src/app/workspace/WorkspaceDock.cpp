#include "app/workspace/WorkspaceDock.h"

#include "app/AppMessages.h"
#include "app/MainWindow.h"
#include "app/UiText.h"
#include "app/workspace/FileTree.h"
#include "app/workspace/ProjectTree.h"
#include "app/workspace/ResourceTree.h"

#include <QTabWidget>

namespace dispcraft {

WorkspaceDock::WorkspaceDock(MainWindow& main)
    : QDockWidget(ui::text(appmsg::kWorkspace), &main), m_main(main) {
    setObjectName(QStringLiteral("workspace"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_tabs = new QTabWidget(this);
    m_tabs->setTabPosition(QTabWidget::South);
    m_tabs->setDocumentMode(true);
    // All three tabs stay in sight in a narrow bar.
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setElideMode(Qt::ElideRight);
    setWidget(m_tabs);

    m_project = new ProjectTree(main, m_tabs);
    m_files = new FileTree(m_tabs);
    m_resources = new ResourceTree(m_tabs);
    // Each tab is named after what its tree shows.
    // Text only, so that the three fit the bar's width.
    m_tabs->addTab(m_project, m_project->caption(ProjectTree::kProject));
    m_tabs->addTab(m_files, m_files->caption(0));
    m_tabs->addTab(m_resources, m_resources->caption(0));
    rebuild();
}

void WorkspaceDock::rebuild() { m_project->rebuild(); }

void WorkspaceDock::refreshScreens() { m_project->refreshScreens(); }

} // namespace dispcraft
