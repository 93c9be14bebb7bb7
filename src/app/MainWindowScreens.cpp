// The main window's screen windows: new, open, previous and next, the screen list, the screen
// number choice, and the build.
#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/AppMessages.h"
#include "app/Commands.h"
#include "app/DialogRunner.h"
#include "app/Prompts.h"
#include "app/ScreenCanvas.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/ScreenAssignDialog.h"
#include "app/dialogs/ScreenManagerDialog.h"
#include "base/FileIo.h"
#include "document/ChangeRecorder.h"
#include "document/ProjectDocument.h"
#include "editor/UndoMessages.h"
#include "forms/ScreenManagerForm.h"
#include "image/ImageBuilder.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"
#include "model/TrnFormat.h"

#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <cstring>
#include <unistd.h>

namespace dispcraft {

QList<ScreenWindow*> MainWindow::screenWindows() const {
    QList<ScreenWindow*> list;
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (auto* w = qobject_cast<ScreenWindow*>(sub)) {
            list.append(w);
        }
    }
    return list;
}

ScreenWindow* MainWindow::activeScreenWindow() const {
    return qobject_cast<ScreenWindow*>(m_mdi->activeSubWindow());
}

ScreenWindow* MainWindow::windowOfScreen(int s) const {
    for (ScreenWindow* w : screenWindows()) {
        if (w->screenNo() == s) {
            return w;
        }
    }
    return nullptr;
}

ScreenWindow* MainWindow::newScreenWindow() {
    if (!store().projectOpen) {
        return nullptr;
    }
    auto* w = new ScreenWindow(*this);
    m_mdi->addSubWindow(w);
    connect(w, &ScreenWindow::statusText, this, &MainWindow::setStatusPaneText);
    connect(w, &ScreenWindow::stateChanged, this, &MainWindow::updateCommandStates);
    connect(w, &QObject::destroyed, this, [this] {
        if (!m_closing) {
            updateCommandStates();
            emit screenWindowsChanged();
        }
    });
    // As large as the panel picture when the area allows, else scrollable.
    const int frame = w->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, w);
    const int title = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
    const QSize want(800 + 2 * frame, 500 + title + frame);
    const QSize room = m_mdi->viewport()->size();
    w->resize(qMin(want.width(), qMax(room.width(), 320)), qMin(want.height(), qMax(room.height(), 240)));
    // Each new window a little lower and to the right of the last, from the top left.
    const int n = static_cast<int>(screenWindows().size()) - 1;
    w->move((n % 8) * 28, (n % 8) * 28);
    w->show();
    m_mdi->setActiveSubWindow(w);
    updateTitle();
    updateCommandStates();
    emit screenWindowsChanged();
    return w;
}

void MainWindow::openScreen(int s) {
    ProjectStore& st = store();
    if (!st.screenExists(s)) {
        return;
    }
    if (st.screenOpen[static_cast<size_t>(s)] != 0) {
        if (ScreenWindow* w = windowOfScreen(s)) {
            m_mdi->setActiveSubWindow(w);
            w->raise();
            return;
        }
    }
    ScreenWindow* w = newScreenWindow();
    if (!w) {
        return;
    }
    if (w->loadScreen(s) != ScreenContents::OpenResult::Opened) {
        // A partly unpacked screen must not be stored back over the whole one.
        w->closeQuietly();
        return;
    }
    updateCommandStates();
    emit screenWindowsChanged();
}

bool MainWindow::focusScreen(int s) {
    openScreen(s);
    ScreenWindow* w = windowOfScreen(s);
    if (w == nullptr) {
        return false;
    }
    m_mdi->setActiveSubWindow(w);
    activateWindow();
    w->canvas()->setFocus(Qt::OtherFocusReason);
    return true;
}

void MainWindow::closeAllScreenWindows() {
    for (ScreenWindow* w : screenWindows()) {
        w->closeQuietly();
    }
}

void MainWindow::previousScreen() {
    if (store().projectPath.empty()) {
        prompts().show(Message::string(appmsg::kOpenProjectFirst));
        return;
    }
    ScreenWindow* w = activeScreenWindow();
    if (!w || w->screenNo() == 0) {
        return;
    }
    for (int s = w->screenNo() - 1; s >= capacity::kFirstScreen; --s) {
        if (store().screenExists(s)) {
            // The window's own close handling asks about its changes; Cancel keeps it.
            if (!w->close()) {
                return;
            }
            openScreen(s);
            return;
        }
    }
    prompts().show(Message::string(appmsg::kNoEarlierScreen));
}

void MainWindow::nextScreen() {
    if (store().projectPath.empty()) {
        prompts().show(Message::string(appmsg::kOpenProjectFirst));
        return;
    }
    ScreenWindow* w = activeScreenWindow();
    if (!w || w->screenNo() == 0) {
        return;
    }
    for (int s = w->screenNo() + 1; s <= capacity::kLastScreen; ++s) {
        if (store().screenExists(s)) {
            if (!w->close()) {
                return;
            }
            openScreen(s);
            return;
        }
    }
    prompts().show(Message::string(appmsg::kNoLaterScreen));
}

void MainWindow::screenList() {
    if (!store().projectOpen) {
        return;
    }
    const auto before = store().entries;
    // Copies, renumbers and deletions of the dialog are one step.
    ChangeRecorder change(m_document->history(), store());
    ScreenManagerForm form(store());
    ScreenManagerDialog dialog(form, prompts(), this);
    const int chosen = dialog.run();
    // Copies, renumbers and deletions acted on the store at once, whatever the dialog's end.
    if (form.treesChanged() ||
        std::memcmp(before.data(), store().entries.data(), sizeof before) != 0) {
        store().treeChanged = true;
    }
    // A window whose screen was renumbered follows it; a window showing the screen it replaced
    // goes (the replaced screen is no more).
    for (auto [from, to] : dialog.moves()) {
        change.rebind(from, to);
        ScreenWindow* moved = windowOfScreen(from);
        if (!moved) {
            continue;
        }
        if (ScreenWindow* replaced = windowOfScreen(to)) {
            replaced->closeQuietly();
        }
        const std::string name = store().entries[static_cast<size_t>(to)].nameString();
        moved->session().screen().bindScreenNumber(to, name, true);
        ScreenManagerForm::setReloadFlag(store().entries[static_cast<size_t>(to)], 0);
        moved->updateTitle();
    }
    for (auto [from, to] : dialog.moves()) {
        m_document->history().rekeyWindow(from, to);
    }
    reloadChangedScreens();
    change.commit(Message::string(undomsg::kScreenList));
    refreshWorkspace();
    if (chosen > 0) {
        openScreen(chosen);
    }
    updateCommandStates();
}

void MainWindow::reloadChangedScreens() {
    for (ScreenWindow* w : screenWindows()) {
        const int s = w->screenNo();
        if (s < capacity::kFirstScreen || s > capacity::kLastScreen) {
            continue;
        }
        ScreenEntry& e = store().entries[static_cast<size_t>(s)];
        if (ScreenManagerForm::reloadFlag(e) != 0) {
            ScreenManagerForm::setReloadFlag(e, 0);
            w->reload();
        }
    }
}

bool MainWindow::chooseScreenNumber(ScreenWindow& window, bool saveAs) {
    ScreenAssignForm form(store().entries);
    if (saveAs && window.screenNo() != 0) {
        form.fields().number = window.screenNo();
        form.fields().name =
            Gb2312::toUtf8Lossy(store().entries[static_cast<size_t>(window.screenNo())].nameString());
    } else {
        // The lowest free number, so that the first store replaces nothing by default.
        for (int n = capacity::kFirstScreen; n <= capacity::kLastScreen; ++n) {
            if (!store().screenExists(n)) {
                form.fields().number = n;
                break;
            }
        }
    }
    ScreenAssignDialog dialog(form, prompts(), this);
    std::optional<ScreenAssignForm::Values> v = dialog.run();
    if (!v) {
        return false;
    }
    // The number is one step: undone, the window has its old number (or none) again.
    ChangeRecorder change(m_document->history(), store());
    const int oldKey = window.historyKey();
    if (window.session().screen().numberTaken(v->number)) {
        // The number's screen is replaced: windows showing it go without questions.
        for (ScreenWindow* other : screenWindows()) {
            if (other != &window && other->screenNo() == v->number) {
                other->closeQuietly();
            }
        }
    }
    window.session().screen().bindScreenNumber(v->number, v->name, saveAs);
    if (oldKey != v->number) {
        change.rebind(oldKey, v->number);
        m_document->history().rekeyWindow(oldKey, v->number);
    }
    change.showWindows(oldKey, v->number);
    const int name = saveAs ? undomsg::kSaveScreenAs : undomsg::kNumberScreen;
    change.commit(Message::string(name, {std::to_string(v->number)}));
    window.updateTitle();
    return true;
}

bool MainWindow::storeScreenWindow(ScreenWindow& window) {
    window.session().screen().deselectAll();
    if (window.screenNo() == 0 && !chooseScreenNumber(window, false)) {
        return false;
    }
    window.session().screen().storeScreen();
    window.markStored();
    window.afterEdit();
    refreshWorkspace();
    return true;
}

// ---- Build ---------------------------------------------------------------------------------

std::string MainWindow::imagePath() const {
    const std::string& dir = m_app.dir().path();
    if (::access(dir.c_str(), W_OK) == 0) {
        return dir + "/" + ImageBuilder::kImageFileName;
    }
    // An installed program directory is read-only: the image goes where the settings are.
    const QString settings = ui::qs(m_app.settings().path());
    return ui::str(QFileInfo(settings).absolutePath()) + "/" + ImageBuilder::kImageFileName;
}

void MainWindow::build() {
    ProjectStore& st = store();
    if (!st.projectOpen) {
        return;
    }
    if (!saveProject() || st.projectPath.empty()) {
        return;
    }
    if (trn::isOlderFormat(st.format())) {
        prompts().show(Message::string(appmsg::kOldFormatBuild), Icon::Warning);
        return;
    }
    BuildOptions options;
    options.glyphs = &m_app.glyphs();
    for (const Message& note : m_app.takeGlyphNotes()) {
        prompts().show(note, Icon::Warning);
    }
    BuiltImage built;
    built.result = ImageBuilder::build(st, m_app.dir(), options);
    if (built.result.stopped()) {
        Message m = built.result.failure;
        prompts().show(m, Icon::Stop);
        return;
    }
    built.imagePath = imagePath();
    std::string why;
    if (std::optional<Message> failed = ImageBuilder::write(built.result, built.imagePath, &why)) {
        prompts().show(*failed, Icon::Stop);
        return;
    }
    m_buildPane->setText(buildSummary(built, st));
    if (m_buildHandover) {
        m_buildHandover(*this, built);
    } else {
        showBuildReport(built);
    }
    // The download is over when the handover returns.
    st.scratchPool.clear();
}

QString MainWindow::buildSummary(const BuiltImage& built, const ProjectStore& store) {
    const BuildResult& r = built.result;
    int screens = 0;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        screens += store.screenExists(s) ? 1 : 0;
    }
    const size_t warnings =
        r.warnings.size() + (r.outcome == BuildResult::Outcome::StartScreenMissing ? 1 : 0);
    return ui::text(
        Message::string(appmsg::kBuildSummary,
                        {ui::str(QFileInfo(ui::qs(built.imagePath)).fileName()),
                         QLocale().toString(static_cast<qlonglong>(r.image.size())).toStdString(),
                         std::to_string(screens), std::to_string(warnings)}));
}

void MainWindow::showBuildReport(const BuiltImage& built) {
    const BuildResult& r = built.result;
    std::string text = LanguageStrings::current().format(Message::string(
        appmsg::kBuilt, {built.imagePath, std::to_string(r.image.size())}));
    if (r.outcome == BuildResult::Outcome::StartScreenMissing) {
        text += "\n\n" + LanguageStrings::current().format(r.startScreenMessage);
    }
    if (!r.warnings.empty()) {
        text += "\n\n" + LanguageStrings::current().text(appmsg::kBuildWarnings);
        for (const Message& w : r.warnings) {
            text += "\n- " + LanguageStrings::current().format(w);
        }
    }
    const bool warn = r.outcome == BuildResult::Outcome::StartScreenMissing || !r.warnings.empty();
    prompts().show(Message::text(text), warn ? Icon::Warning : Icon::Information);
}

} // namespace dispcraft
