// The main window's project commands: new, open, close, save, save as and the recent list.
#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/ModelLinkDialog.h"
#include "app/workspace/WorkspaceDock.h"
#include "config/ProjectSetup.h"
#include "config/SettingsFile.h"
#include "forms/NewProjectFlow.h"
#include "model/TrnFormat.h"
#include "model/TrnMessages.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "text/LanguageStrings.h"

#include <QFileInfo>

namespace dispcraft {

bool MainWindow::settleChanges(int question, bool askWhenUntitled) {
    ProjectStore& st = *m_store;
    if (!st.projectOpen || !st.modified()) {
        return true;
    }
    if (st.projectPath.empty() && !askWhenUntitled) {
        return true;
    }
    const Answer a = prompts().ask(Message::string(question), Buttons::YesNoCancel);
    if (a == Answer::Cancel) {
        return false;
    }
    if (a == Answer::Yes) {
        // A save that wrote nothing, or left a screen without a number unstored, stops the
        // command: the changes would be lost otherwise.
        return saveProject() && !st.modified();
    }
    return true;
}

void MainWindow::discardProject() {
    ProjectStore& st = *m_store;
    closeAllScreenWindows();
    emptyClipboard();
    updateRecentList();
    st.projectPath.clear();
    st.treeChanged = false;
}

void MainWindow::updateRecentList() {
    ProjectStore& st = *m_store;
    SettingsFile::pushRecent(st.recentFiles, st.projectPath);
    m_app.settings().writeRecentFiles(st.recentFiles);
}

void MainWindow::newProject() {
    ProjectStore& st = *m_store;
    // A project without a path is asked about too when a screen window has unsaved changes.
    if (!settleChanges(61555, true)) {
        return;
    }
    if (st.projectOpen) {
        discardProject();
    }
    st.projectOpen = false;
    st.treeChanged = false;
    rebuildWorkspace();
    updateCommandStates();
    // The dialog is shown until it is confirmed (with 61556 after every refusal), then the
    // project is set up from the choice.
    NewProjectFlow::run(st, m_app.dir(), prompts(), [this](ModelLinkForm& form) {
        ModelLinkDialog dialog(form, prompts(), this);
        return dialog.run();
    });
    st.treeChanged = false;
    newScreenWindow();
    rebuildWorkspace();
    updateCommandStates();
}

void MainWindow::openProject(int recent) {
    ProjectStore& st = *m_store;
    QString path;
    if (recent >= 1 && recent <= 4) {
        // The entry is taken before the list changes: the project being closed moves to the
        // front of it.
        path = ui::qs(st.recentFiles[static_cast<size_t>(recent - 1)]);
        if (ui::str(path) == LanguageStrings::current().sentinel()) {
            return;
        }
    } else {
        QString start;
        if (!st.projectPath.empty()) {
            start = QFileInfo(ui::qs(st.projectPath)).absolutePath();
        } else if (st.recentFiles[0] != LanguageStrings::current().sentinel()) {
            start = QFileInfo(ui::qs(st.recentFiles[0])).absolutePath();
        }
        path = prompts().openFileName(ui::caption(command::kOpenProject).remove(QLatin1Char('&')),
                                      ui::text(61592), start);
        if (path.isEmpty()) {
            return;
        }
    }
    // Untitled work is asked about as well as saved work.
    if (!settleChanges(61579, true)) {
        return;
    }
    loadProjectFile(path);
}

bool MainWindow::loadProjectFile(const QString& path) {
    ProjectStore& st = *m_store;
    discardProject();
    st.reset();
    st.projectOpen = false;
    TrnReader::Result r = TrnReader::load(st, ui::str(path));
    if (!r.ok) {
        st.reset();
        st.projectOpen = false;
        rebuildWorkspace();
        updateCommandStates();
        prompts().show(r.message, Icon::Warning);
        return false;
    }
    if (r.endsEarly) {
        prompts().show(Message::string(trnmsg::kEndsEarly), Icon::Warning);
    }
    ProjectSetup::afterLoad(st, m_app.dir());
    st.treeChanged = false;
    afterProjectLoaded();
    return true;
}

void MainWindow::afterProjectLoaded() {
    ProjectStore& st = *m_store;
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
    ProjectStore& st = *m_store;
    if (st.modified()) {
        const Answer a = prompts().ask(Message::string(61555), Buttons::YesNoCancel);
        if (a == Answer::Cancel) {
            return false;
        }
        if (a == Answer::Yes && (!saveProject() || st.modified())) {
            return false;
        }
    }
    discardProject();
    st.screenOpen.fill(0);
    st.projectOpen = false;
    rebuildWorkspace();
    updateCommandStates();
    return true;
}

QString MainWindow::askSavePath(bool saveAs) {
    ProjectStore& st = *m_store;
    QString start = st.projectPath.empty() ? QString() : ui::qs(st.projectPath);
    QString path = prompts().saveFileName(ui::text(61530), ui::text(61529), start);
    if (path.isEmpty()) {
        return {};
    }
    QFileInfo info(path);
    const bool append = saveAs ? info.suffix().toLower() != QStringLiteral("trn")
                               : info.suffix().isEmpty();
    if (append) {
        path += QStringLiteral(".trn");
        // The dialog asked about the name as typed; the name with the extension may exist too.
        if (QFileInfo::exists(path) &&
            prompts().ask(Message::string(appmsg::kOverwrite, {ui::str(path)}), Buttons::YesNo) !=
                Answer::Yes) {
            return {};
        }
    }
    return path;
}

bool MainWindow::saveProject(SaveFrom from) {
    ProjectStore& st = *m_store;
    if (!st.projectOpen) {
        return false;
    }
    if (st.projectPath.empty()) {
        QString path = askSavePath(false);
        if (path.isEmpty()) {
            return false;
        }
        st.projectPath = ui::str(path);
    } else if (from == SaveFrom::MainWindow && trn::isOlderFormat(st.format()) &&
               prompts().ask(Message::string(61560), Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    for (ScreenWindow* w : screenWindows()) {
        // A window whose number dialog was cancelled stays unsaved (and keeps its flag).
        if (storeScreenWindow(*w)) {
            w->session().screen().clearModified();
        }
        w->updateTitle();
    }
    TrnWriter::Options options;
    options.setModelCode = from == SaveFrom::MainWindow;
    TrnWriter::Result r = TrnWriter::save(st, st.projectPath, options);
    if (!r.ok) {
        prompts().show(r.message, Icon::Warning);
        return false;
    }
    st.treeChanged = false;
    refreshWorkspace();
    updateTitle();
    updateCommandStates();
    return true;
}

bool MainWindow::saveProjectAs() {
    ProjectStore& st = *m_store;
    if (!st.projectOpen) {
        return false;
    }
    QString path = askSavePath(true);
    if (path.isEmpty()) {
        return false;
    }
    const std::string old = st.projectPath;
    st.projectPath = ui::str(path);
    if (!saveProject()) {
        st.projectPath = old;
        updateTitle();
        return false;
    }
    return true;
}

} // namespace dispcraft
