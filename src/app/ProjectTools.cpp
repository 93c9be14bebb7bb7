#include "app/ProjectTools.h"

#include "app/MainWindow.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/AddressUsageDialog.h"
#include "model/ProjectStore.h"
#include "objects/ObjectKinds.h"

#include <QMdiArea>

namespace dispcraft {

ProjectTools::ProjectTools(MainWindow& main) : QObject(&main), m_main(main) {}

void ProjectTools::storeWindows() {
    for (ScreenWindow* w : m_main.screenWindows()) {
        if (w->screenNo() != 0) {
            w->session().storeScreen();
            w->afterEdit();
        }
    }
    m_main.refreshWorkspace();
}

void ProjectTools::findAddressUsage(const QString& address) {
    if (!m_main.store().projectOpen) {
        return;
    }
    if (!m_usage) {
        auto source = [this] {
            storeWindows();
            return AddressXref::build(m_main.store());
        };
        auto finder = [this](const std::vector<AddressEntry>& entries, const QString& typed) {
            return AddressXref::find(entries, m_main.store(), ui::str(typed));
        };
        m_usage = new AddressUsageDialog(source, finder, &m_main);
        connect(m_usage, &AddressUsageDialog::useActivated, this,
                [this](int screen, const QString& kind, int index) {
                    int code = 0;
                    forEachKind([&](auto k) {
                        if (kind == QLatin1String(decltype(k)::kName)) {
                            code = decltype(k)::kCode;
                        }
                    });
                    if (screen != 0) {
                        showObject(screen, code, index - 1);
                    }
                });
    }
    m_usage->search(address);
    m_usage->show();
    m_usage->raise();
    m_usage->activateWindow();
}

AddressUsageDialog* ProjectTools::usageDialog() const {
    return m_usage;
}

void ProjectTools::showObject(int screen, int kindCode, int index) {
    if (!m_main.store().screenExists(screen)) {
        return;
    }
    m_main.openScreen(screen);
    ScreenWindow* w = m_main.windowOfScreen(screen);
    if (!w) {
        return;
    }
    EditorSession& session = w->session();
    session.deselectAll();
    if (ScreenObjects::capacityOf(kindCode) > index && index >= 0 &&
        session.objects().occupied(kindCode, index)) {
        session.objects().head(kindCode, index).select(true);
    }
    session.invalidateAll();
    w->afterEdit();
    m_main.mdiArea()->setActiveSubWindow(w);
}

void ProjectTools::exportTexts() {}

void ProjectTools::importTexts() {}

void ProjectTools::exportReport() {}

} // namespace dispcraft
