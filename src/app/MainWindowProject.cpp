// The main window's project commands: new, open, close, save, save as and the recent list.
// The flows and their questions are the project document's; the window brings the dialogs,
// the screen windows and the workspace.
#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/AppMessages.h"
#include "app/Commands.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/ModelLinkDialog.h"
#include "document/ProjectDocument.h"
#include "model/ProjectStore.h"
#include "text/LanguageStrings.h"

#include <QFileInfo>

namespace dispcraft {

// ---- The open screen windows as the document sees them -------------------------------------

bool MainWindow::anyModified() const {
    for (ScreenWindow* w : screenWindows()) {
        if (w->modified()) {
            return true;
        }
    }
    return false;
}

void MainWindow::storeAll() {
    for (ScreenWindow* w : screenWindows()) {
        // A window whose number dialog was cancelled stays unsaved (and keeps its flag).
        if (storeScreenWindow(*w)) {
            w->session().screen().clearModified();
        }
        w->updateTitle();
    }
}

void MainWindow::closeAll() {
    closeAllScreenWindows();
    emptyClipboard();
}

// ---- Commands ------------------------------------------------------------------------------

void MainWindow::updateRecentList() {
    m_document->pushRecent();
}

void MainWindow::newProject() {
    const bool started = m_document->newProject([this](ModelLinkForm& form) {
        ModelLinkDialog dialog(form, prompts(), this);
        return dialog.run();
    });
    if (!started) {
        return;
    }
    newScreenWindow();
    rebuildWorkspace();
    updateCommandStates();
}

void MainWindow::openProject(int recent) {
    QString path;
    if (recent >= 1 && recent <= 4) {
        // The entry is taken before the list changes: the project being closed moves to the
        // front of it.
        path = ui::qs(m_document->recentPath(recent));
        if (path.isEmpty()) {
            return;
        }
    } else {
        QString start;
        if (!m_document->path().empty()) {
            start = QFileInfo(ui::qs(m_document->path())).absolutePath();
        } else if (!m_document->recentPath(1).empty()) {
            start = QFileInfo(ui::qs(m_document->recentPath(1))).absolutePath();
        }
        path = prompts().openFileName(ui::caption(command::kOpenProject).remove(QLatin1Char('&')),
                                      ui::text(appmsg::kOpenProjectFilter), start);
        if (path.isEmpty()) {
            return;
        }
    }
    if (m_document->open(ui::str(path))) {
        afterProjectLoaded();
    }
}

bool MainWindow::loadProjectFile(const QString& path) {
    if (!m_document->load(ui::str(path))) {
        return false;
    }
    afterProjectLoaded();
    return true;
}

void MainWindow::afterProjectLoaded() {
    ProjectStore& st = store();
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st.screenExists(s)) {
            openScreen(s);
            break;
        }
    }
    rebuildWorkspace();
    updateCommandStates();
}

bool MainWindow::closeProject() {
    return m_document->close();
}

bool MainWindow::openExample(const QString& path) {
    if (!m_document->openAsUntitled(ui::str(path))) {
        return false;
    }
    afterProjectLoaded();
    return true;
}

bool MainWindow::saveProject(SaveFrom from) {
    const bool saved =
        m_document->save(from == SaveFrom::Editor ? ProjectDocument::SaveFrom::Editor
                                                  : ProjectDocument::SaveFrom::Project);
    // Screens may have been stored and numbered even when the file was not written.
    refreshWorkspace();
    updateTitle();
    updateCommandStates();
    return saved;
}

bool MainWindow::saveProjectAs() {
    const bool saved = m_document->saveAs();
    refreshWorkspace();
    updateTitle();
    updateCommandStates();
    return saved;
}

QString MainWindow::chooseProjectFile(const QString& start) {
    return prompts().saveFileName(ui::text(appmsg::kSaveProjectTitle), ui::text(appmsg::kProjectFilter), start);
}

} // namespace dispcraft
