// The main window's recovery copies: the timer that has the document write them, and the offer
// at start. Naming, listing, choosing and writing the copies are the document's.
#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "document/ProjectDocument.h"
#include "document/RecoveryCopies.h"
#include "editor/ScreenPacker.h"

#include <QApplication>
#include <QStatusBar>
#include <QTimer>

namespace dispcraft {

bool MainWindow::startRecovery() {
    m_document->setRecoveryDirectory(RecoveryCopies::defaultDirectory());
    const int seconds = m_app.settings().recoveryInterval();
    if (seconds > 0 && m_recoveryTimer == nullptr) {
        m_recoveryTimer = new QTimer(this);
        connect(m_recoveryTimer, &QTimer::timeout, this, &MainWindow::writeRecoveryCopy);
        m_recoveryTimer->start(seconds * 1000);
    }
    const std::optional<std::vector<int>> screens = m_document->offerRecovery();
    if (!screens) {
        return false;
    }
    for (int s : *screens) {
        openScreen(s);
    }
    if (screenWindows().isEmpty()) {
        afterProjectLoaded();
    } else {
        rebuildWorkspace();
        updateCommandStates();
    }
    updateTitle();
    return true;
}

void MainWindow::writeRecoveryCopy() {
    const std::optional<Message> failed = m_document->writeRecoveryCopy();
    if (!failed) {
        m_recoveryFailing = false;
        return;
    }
    statusBar()->showMessage(ui::text(*failed), 10000);
    // Told once in a dialog, so that nobody goes on working in the belief that a crash would
    // not cost the work; every further failure only in the status bar until a copy is written.
    if (!m_recoveryFailing && QApplication::activeModalWidget() == nullptr) {
        m_recoveryFailing = true;
        prompts().show(*failed, Icon::Warning);
    }
}

void MainWindow::storeAllInto(ProjectStore& copy) const {
    for (ScreenWindow* w : screenWindows()) {
        ScreenPacker::packCopy(w->session().screen(), copy);
    }
}

} // namespace dispcraft
