#include "app/workspace/WorkspaceDock.h"

#include "app/MainWindow.h"
#include "app/UiText.h"

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
}

void WorkspaceDock::rebuild() {}

void WorkspaceDock::refreshScreens() {}

} // namespace dispcraft
