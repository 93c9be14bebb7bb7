// The main window's construction, its commands and their states, closing and the language.
#include "app/MainWindow.h"

#include "app/AppContext.h"
#include "app/AppMessages.h"
#include "app/CommandIcons.h"
#include "app/Commands.h"
#include "app/DialogRunner.h"
#include "app/ProjectTools.h"
#include "app/HistoryTarget.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/StartPane.h"
#include "app/UiText.h"
#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/DownloadDialog.h"
#include "app/workspace/WorkspaceDock.h"
#include "config/SettingsFile.h"
#include "document/ProjectDocument.h"
#include "editor/ClipboardBlock.h"
#include "editor/UndoMessages.h"
#include "model/ProjectStore.h"
#include "text/LanguageStrings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QAbstractSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace dispcraft {

using namespace command;

MainWindow::MainWindow(AppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_ownPrompts(std::make_unique<WidgetPrompts>(this)),
      m_prompts(std::make_unique<ForwardingPrompts>(m_ownPrompts.get())),
      m_document(std::make_unique<ProjectDocument>(app.dir(), *m_prompts)),
      m_historyTarget(std::make_unique<HistoryTarget>(*this)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(programIcon());
    // The store starts empty with every screen free; the settings file gives the recent list
    // and the OEM flag.
    const std::string sentinel = LanguageStrings::current().sentinel();
    app.settings().applyTo(m_document->store(), sentinel);
    m_document->setRecentFileStore(&app.settings(), sentinel);
    m_document->setEditors(this);
    m_document->setSavePathChooser([this](const std::string& current) {
        return ui::str(chooseProjectFile(ui::qs(current)));
    });
    m_document->setReplacedListener([this] {
        rebuildWorkspace();
        updateCommandStates();
    });

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setBackground(QColor(128, 128, 128));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_startPane = new StartPane(*this, this);
    m_central = new QStackedWidget(this);
    m_central->addWidget(m_startPane);
    m_central->addWidget(m_mdi);
    setCentralWidget(m_central);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        updateCommandStates();
        emit screenWindowsChanged();
    });

    m_tools = new ProjectTools(*this);
    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    createWorkspace();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &MainWindow::updateCommandStates);
    // Cut, copy, paste and delete follow the keyboard focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && qobject_cast<QMenuBar*>(now) == nullptr) {
            m_workFocus = now;
        }
        if (!m_closing) {
            updateCommandStates();
        }
    });
    m_restarter = [this](const QStringList& arguments) { startAgain(arguments); };
    // A written image goes to the download dialog.
    m_buildHandover = &DownloadDialog::afterBuild;
    updateTitle();
    updateCommandStates();
    resize(1180, 780);
}

MainWindow::~MainWindow() {
    // The screen windows refer to the store: they go first.
    m_closing = true;
    for (ScreenWindow* w : screenWindows()) {
        w->closeQuietly();
    }
    m_mdi->closeAllSubWindows();
    qDeleteAll(m_mdi->subWindowList());
    // The members go before the widget base, whose hiding of the bars would still signal.
    for (QObject* sender : std::initializer_list<QObject*>{m_workspace, m_mainToolBar, m_objectToolBar,
                                                          m_mdi, QGuiApplication::clipboard(), qApp}) {
        QObject::disconnect(sender, nullptr, this, nullptr);
    }
}

Prompts& MainWindow::prompts() { return *m_prompts; }

ProjectStore& MainWindow::store() { return m_document->store(); }

const ProjectStore& MainWindow::store() const { return m_document->store(); }

void MainWindow::setPrompts(Prompts* prompts) {
    m_prompts->setTarget(prompts ? prompts : m_ownPrompts.get());
}

// ---- Actions, menus, toolbars --------------------------------------------------------------

QAction* MainWindow::makeAction(int id, const QKeySequence& keys) {
    auto* a = new QAction(commandIcon(id), ui::caption(id), this);
    a->setObjectName(QStringLiteral("cmd%1").arg(id));
    a->setData(id);
    const QString tip = ui::tip(id);
    a->setStatusTip(tip);
    QString plain = ui::caption(id);
    plain.remove(QLatin1Char('&'));
    a->setToolTip(keys.isEmpty() ? plain
                                 : QStringLiteral("%1 (%2)").arg(plain,
                                                                 keys.toString(QKeySequence::NativeText)));
    if (!keys.isEmpty()) {
        a->setShortcut(keys);
    }
    connect(a, &QAction::triggered, this, [this, id] { dispatch(id); });
    m_actions[id] = a;
    return a;
}

void MainWindow::createActions() {
    makeAction(kNewProject, QKeySequence::New);
    makeAction(kOpenProject, QKeySequence::Open);
    makeAction(kCloseProject);
    for (int id : kRecent) {
        makeAction(id);
    }
    makeAction(kSaveProject, QKeySequence::Save);
    makeAction(kSaveProjectAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    makeAction(kExit, QKeySequence(Qt::CTRL | Qt::Key_Q))->setMenuRole(QAction::QuitRole);

    makeAction(kUndo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    makeAction(kRedo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        QKeySequence(Qt::CTRL | Qt::Key_Y)});
    makeAction(kSelectAll, QKeySequence(Qt::CTRL | Qt::Key_A));
    for (int id : kAlignCommands) {
        makeAction(id);
    }
    makeAction(kCopy, QKeySequence::Copy);
    makeAction(kCut, QKeySequence::Cut);
    makeAction(kPaste, QKeySequence::Paste);
    makeAction(kDelete, QKeySequence::Delete);
    makeAction(kSelectTool, QKeySequence(Qt::Key_F2));

    makeAction(kPlaceTextString, QKeySequence(Qt::CTRL | Qt::Key_1));
    makeAction(kPlaceMsgDisp, QKeySequence(Qt::CTRL | Qt::Key_2));
    makeAction(kPlaceNumDisp, QKeySequence(Qt::CTRL | Qt::Key_3));
    makeAction(kPlaceShortNumDisp, QKeySequence(Qt::CTRL | Qt::Key_4));
    makeAction(kPlaceBarGraph, QKeySequence(Qt::CTRL | Qt::Key_5));
    makeAction(kPlaceTrendGraph, QKeySequence(Qt::CTRL | Qt::Key_6));
    makeAction(kPlaceLamp, QKeySequence(Qt::CTRL | Qt::Key_7));
    makeAction(kPlacePicture, QKeySequence(Qt::CTRL | Qt::Key_8));
    // A placement tool's button stays pressed while the tool is armed.
    for (int id : {kPlaceTextString, kPlaceMsgDisp, kPlaceNumDisp, kPlaceShortNumDisp,
                   kPlaceBarGraph, kPlaceTrendGraph, kPlaceLamp, kPlacePicture}) {
        m_actions.at(id)->setCheckable(true);
    }

    makeAction(kNewScreen, QKeySequence(Qt::CTRL | Qt::Key_T));
    makeAction(kScreenList, QKeySequence(Qt::CTRL | Qt::Key_L));
    makeAction(kPreviousScreen, QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    makeAction(kNextScreen, QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    makeAction(kSave);
    makeAction(kSaveAs);
    makeAction(kClose, QKeySequence(Qt::CTRL | Qt::Key_W));
    makeAction(kRemoveScreen);
    makeAction(kSummary, QKeySequence(Qt::CTRL | Qt::Key_I));
    // F5 runs the simulator; redrawing keeps the other refresh key.
    makeAction(kRedraw, QKeySequence(Qt::CTRL | Qt::Key_R));

    makeAction(kBuild, QKeySequence(Qt::Key_F7));
    makeAction(kSimulate, QKeySequence(Qt::Key_F5));
    makeAction(kFindAddressUsage, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    makeAction(kExportTexts);
    makeAction(kImportTexts);
    makeAction(kExportReport);

    makeAction(kObjectToolbar)->setCheckable(true);
    makeAction(kWorkspaceBar)->setCheckable(true);
    makeAction(kControlBar)->setCheckable(true);

    // The language of this run carries the check mark.
    makeAction(kChinese)->setCheckable(true);
    makeAction(kEnglish)->setCheckable(true);
    m_actions.at(kChinese)->setChecked(m_app.language() == SettingsFile::kChinese);
    m_actions.at(kEnglish)->setChecked(m_app.language() != SettingsFile::kChinese);
    makeAction(kCascade);
    makeAction(kTile);
    makeAction(kDocument1, QKeySequence::HelpContents);
    makeAction(kDocument2);
    makeAction(kAbout)->setMenuRole(QAction::AboutRole);
}

void MainWindow::createMenus() {
    auto add = [this](QMenu* m, std::initializer_list<int> ids) {
        for (int id : ids) {
            if (id == 0) {
                m->addSeparator();
            } else {
                m->addAction(m_actions.at(id));
            }
        }
    };
    // The recent projects sit at places 4..7 of the first menu.
    m_fileMenu = menuBar()->addMenu(ui::text(appmsg::kMenuFile));
    add(m_fileMenu, {kNewProject, kOpenProject, kCloseProject, 0, kRecent1, kRecent2, kRecent3,
                     kRecent4, 0, kSaveProject, kSaveProjectAs, 0, kExportReport, 0, kBuild, 0,
                     kExit});
    connect(m_fileMenu, &QMenu::aboutToShow, this, &MainWindow::updateRecentMenu);

    QMenu* edit = menuBar()->addMenu(ui::text(appmsg::kMenuEdit));
    add(edit, {kUndo, kRedo, 0, kCut, kCopy, kPaste, kDelete, 0, kSelectAll});
    QMenu* align = edit->addMenu(ui::text(undomsg::kAlignMenu));
    add(align, {kAlignLeft, kAlignRight, kAlignTop, kAlignBottom, kAlignCentres, kAlignMiddles, 0,
                kSpaceAcross, kSpaceDown});
    add(edit, {0, kSelectTool, 0, kFindAddressUsage});

    QMenu* view = menuBar()->addMenu(ui::text(appmsg::kMenuView));
    add(view, {kControlBar, kObjectToolbar, kWorkspaceBar, 0, kRedraw});

    QMenu* objects = menuBar()->addMenu(ui::text(appmsg::kMenuObjects));
    add(objects, {kSelectTool, 0, kPlaceTextString, kPlaceMsgDisp, kPlaceNumDisp, kPlaceShortNumDisp,
                  kPlaceBarGraph, kPlaceTrendGraph, kPlaceLamp, kPlacePicture});

    QMenu* screen = menuBar()->addMenu(ui::text(appmsg::kMenuScreen));
    add(screen, {kNewScreen, kScreenList, 0, kPreviousScreen, kNextScreen, 0, kSave, kSaveAs,
                 kClose, 0, kSummary, kRemoveScreen});

    QMenu* project = menuBar()->addMenu(ui::text(appmsg::kMenuProject));
    add(project, {kBuild, kSimulate, 0, kExportTexts, kImportTexts});

    QMenu* language = menuBar()->addMenu(ui::text(appmsg::kMenuLanguage));
    add(language, {kChinese, kEnglish});

    QMenu* window = menuBar()->addMenu(ui::text(appmsg::kMenuWindow));
    add(window, {kCascade, kTile});
    connect(window, &QMenu::aboutToShow, this, [this, window] {
        // The open screen windows, after the two arrangement commands.
        const QList<QAction*> all = window->actions();
        for (int i = 2; i < all.size(); ++i) {
            window->removeAction(all[i]);
            if (all[i]->parent() == window) {
                all[i]->deleteLater();
            }
        }
        const QList<QMdiSubWindow*> subs = m_mdi->subWindowList();
        if (!subs.isEmpty()) {
            window->addSeparator();
        }
        int n = 0;
        for (QMdiSubWindow* sub : subs) {
            QString title = sub->windowTitle();
            title.remove(QStringLiteral("[*]"));
            QAction* a = window->addAction(n < 9 ? QStringLiteral("&%1 %2").arg(n + 1).arg(title)
                                                 : title);
            a->setCheckable(true);
            a->setChecked(sub == m_mdi->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
            ++n;
        }
    });

    QMenu* help = menuBar()->addMenu(ui::text(appmsg::kMenuHelp));
    add(help, {kDocument1, kDocument2, 0, kAbout});
}

void MainWindow::createToolBars() {
    m_mainToolBar = addToolBar(ui::text(appmsg::kStandardToolBar));
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    for (int id : {kNewProject, kOpenProject, kSaveProject, 0, kUndo, kRedo, 0, kCut, kCopy, kPaste,
                   kDelete, 0,
                   kNewScreen, kScreenList, kPreviousScreen, kNextScreen, 0, kBuild, kSimulate, 0, kAbout}) {
        if (id == 0) {
            m_mainToolBar->addSeparator();
        } else {
            m_mainToolBar->addAction(m_actions.at(id));
        }
    }
    m_objectToolBar = addToolBar(ui::text(appmsg::kObjectToolBar));
    m_objectToolBar->setObjectName(QStringLiteral("objectToolBar"));
    for (int id : {kSelectTool, 0, kPlaceTextString, kPlaceMsgDisp, kPlaceNumDisp,
                   kPlaceShortNumDisp, kPlaceBarGraph, kPlaceTrendGraph, kPlaceLamp, kPlacePicture,
                   0, kRedraw}) {
        if (id == 0) {
            m_objectToolBar->addSeparator();
        } else {
            m_objectToolBar->addAction(m_actions.at(id));
        }
    }
    for (QToolBar* bar : {m_mainToolBar, m_objectToolBar}) {
        bar->setIconSize(QSize(24, 24));
        connect(bar, &QToolBar::visibilityChanged, this, &MainWindow::updateCommandStates);
    }
}

void MainWindow::createStatusBar() {
    m_buildPane = new QLabel(this);
    m_buildPane->setObjectName(QStringLiteral("buildPane"));
    statusBar()->addPermanentWidget(m_buildPane);
    m_statusPane = new QLabel(this);
    m_statusPane->setObjectName(QStringLiteral("statusPane"));
    m_statusPane->setMinimumWidth(300);
    m_statusPane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusBar()->addPermanentWidget(m_statusPane);
    statusBar()->showMessage(ui::text(appmsg::kStatusReady));
}

void MainWindow::createWorkspace() {
    m_workspace = new WorkspaceDock(*this);
    addDockWidget(Qt::LeftDockWidgetArea, m_workspace);
    resizeDocks({m_workspace}, {240}, Qt::Horizontal);
    connect(m_workspace, &QDockWidget::visibilityChanged, this, &MainWindow::updateCommandStates);
}

QAction* MainWindow::action(int command) const {
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

bool MainWindow::runCommand(int command) {
    QAction* a = action(command);
    updateCommandStates();
    if (!a || !a->isEnabled()) {
        return false;
    }
    a->trigger();
    return true;
}

bool MainWindow::commandEnabled(int id) const {
    const ProjectStore& st = store();
    if (followsFocus(id) && !focusOnScreen()) {
        // Another widget has the focus: the screen's objects are not what the user works on.
        return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr ||
               qobject_cast<QAbstractSpinBox*>(QApplication::focusWidget()) != nullptr;
    }
    if (ScreenWindow::isViewCommand(id)) {
        ScreenWindow* w = activeScreenWindow();
        return w != nullptr && w->commandEnabled(id);
    }
    switch (id) {
    case kRecent1: return st.recentFiles[0] != LanguageStrings::current().sentinel();
    case kRecent2: return st.recentFiles[1] != LanguageStrings::current().sentinel();
    case kRecent3: return st.recentFiles[2] != LanguageStrings::current().sentinel();
    case kRecent4: return st.recentFiles[3] != LanguageStrings::current().sentinel();
    case kCloseProject:
    case kSaveProject:
    case kSaveProjectAs:
    case kScreenList:
    case kNewScreen:
    case kBuild:
    case kSimulate:
    case kFindAddressUsage:
    case kExportTexts:
    case kImportTexts:
    case kExportReport: return st.projectOpen;
    case kUndo: return st.projectOpen && m_document->history().canUndo();
    case kRedo: return st.projectOpen && m_document->history().canRedo();
    default: return true;
    }
}

void MainWindow::updateCommandStates() {
    if (m_actions.empty()) {
        return;
    }
    for (auto& [id, a] : m_actions) {
        a->setEnabled(commandEnabled(id));
    }
    updateHistoryActions();
    updatePlacementState();
    for (int k = 0; k < 4; ++k) {
        // "1: " .. "4: " and the entry, with '&' doubled so that a path shows as it is.
        const std::string& entry = store().recentFiles[static_cast<size_t>(k)];
        QString path = ui::qs(entry);
        path.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = m_actions.at(kRecent[k]);
        a->setText(QStringLiteral("&%1: %2").arg(k + 1).arg(path));
        a->setToolTip(ui::qs(entry));
    }
    // Hidden while the window is not shown yet, so ask what the user will see.
    const bool shown = isVisible();
    m_actions.at(kObjectToolbar)->setChecked(shown ? m_objectToolBar->isVisible()
                                                   : !m_objectToolBar->isHidden());
    m_actions.at(kControlBar)->setChecked(shown ? m_mainToolBar->isVisible()
                                                : !m_mainToolBar->isHidden());
    m_actions.at(kWorkspaceBar)->setChecked(shown ? m_workspace->isVisible()
                                                  : !m_workspace->isHidden());
}

void MainWindow::updateRecentMenu() { updateCommandStates(); }

void MainWindow::dispatch(int id) {
    if (followsFocus(id) && !focusOnScreen()) {
        editFocusedField(id);
        updateCommandStates();
        return;
    }
    if (ScreenWindow::isViewCommand(id)) {
        if (ScreenWindow* w = activeScreenWindow()) {
            w->runCommand(id);
        }
        updateCommandStates();
        return;
    }
    switch (id) {
    case kNewProject: newProject(); break;
    case kOpenProject: openProject(0); break;
    case kRecent1: openProject(1); break;
    case kRecent2: openProject(2); break;
    case kRecent3: openProject(3); break;
    case kRecent4: openProject(4); break;
    case kCloseProject: closeProject(); break;
    case kUndo: undo(); break;
    case kRedo: redo(); break;
    case kSaveProject: saveProject(); break;
    case kSaveProjectAs: saveProjectAs(); break;
    case kExit: close(); break;
    case kScreenList: screenList(); break;
    case kNewScreen: newScreenWindow(); break;
    case kPreviousScreen: previousScreen(); break;
    case kNextScreen: nextScreen(); break;
    case kBuild: build(); break;
    case kSimulate: simulate(); break;
    case kFindAddressUsage: m_tools->findAddressUsage(); break;
    case kExportTexts: m_tools->exportTexts(); break;
    case kImportTexts: m_tools->importTexts(); break;
    case kExportReport: m_tools->exportReport(); break;
    case kObjectToolbar: m_objectToolBar->setVisible(!m_objectToolBar->isVisible()); break;
    case kControlBar: m_mainToolBar->setVisible(!m_mainToolBar->isVisible()); break;
    case kWorkspaceBar: m_workspace->setVisible(!m_workspace->isVisible()); break;
    case kDocument1: openDocument(appmsg::kManual); break;
    case kDocument2: openDocument(appmsg::kProtocolsDocument); break;
    case kChinese:
    case kEnglish:
        switchLanguage(id == kChinese);
        // Checked by the language of this run, not by the click.
        m_actions.at(kChinese)->setChecked(m_app.language() == SettingsFile::kChinese);
        m_actions.at(kEnglish)->setChecked(m_app.language() != SettingsFile::kChinese);
        break;
    case kCascade: m_mdi->cascadeSubWindows(); break;
    case kTile: m_mdi->tileSubWindows(); break;
    case kAbout: showAbout(); break;
    default: break;
    }
    updateCommandStates();
}

bool MainWindow::followsFocus(int id) {
    return id == kCut || id == kCopy || id == kPaste || id == kDelete || id == kSelectAll;
}

// ---- Status bar, titles ----------------------------------------------------------------------

void MainWindow::setStatusPaneText(const QString& text) { m_statusPane->setText(text); }

QString MainWindow::statusPaneText() const { return m_statusPane->text(); }

QString MainWindow::buildPaneText() const {
    return m_buildPane->text();
}

void MainWindow::updateTitle() {
    const ProjectStore& st = store();
    if (!st.projectOpen) {
        setWindowTitle(ui::text(appmsg::kProgramName));
        return;
    }
    const QString name = st.projectPath.empty() ? ui::text(appmsg::kUntitledProject)
                                                : QFileInfo(ui::qs(st.projectPath)).fileName();
    setWindowTitle(QStringLiteral("%1 - %2").arg(name, ui::text(appmsg::kProgramName)));
}

void MainWindow::rebuildWorkspace() {
    m_workspace->rebuild();
    updateTitle();
    // Without a project the start pane takes the place of the screen windows.
    const bool idle = !store().projectOpen;
    m_buildPane->clear(); // another project, or none
    if (idle) {
        m_startPane->refresh();
    }
    m_central->setCurrentWidget(idle ? static_cast<QWidget*>(m_startPane) : m_mdi);
}

void MainWindow::refreshWorkspace() { m_workspace->refreshScreens(); }

// ---- Clipboard -----------------------------------------------------------------------------

bool MainWindow::clipboardHasBlock() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(QString::fromLatin1(ClipboardBlock::kFormat));
}

void MainWindow::publishClipboard(ScreenWindow& owner, const std::vector<uint8_t>& block) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(ClipboardBlock::kFormat),
                  QByteArray(reinterpret_cast<const char*>(block.data()),
                             static_cast<qsizetype>(block.size())));
    QGuiApplication::clipboard()->setMimeData(data);
    for (ScreenWindow* w : screenWindows()) {
        w->session().clipboard().setOwner(false);
    }
    owner.session().clipboard().setOwner(true);
    updateCommandStates();
}

void MainWindow::emptyClipboard() {
    // Only what this program put there: another program's text stays.
    QClipboard* cb = QGuiApplication::clipboard();
    if (cb->ownsClipboard() || clipboardHasBlock()) {
        cb->clear();
    }
    for (ScreenWindow* w : screenWindows()) {
        w->session().clipboard().setOwner(false);
    }
}

// ---- Closing, language, restart ------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    // A restart settled the changes when the language was switched.
    if (!m_restart && !m_document->confirmExit()) {
        // Titles and the tree show what a save that stopped half-way did store.
        refreshWorkspace();
        updateCommandStates();
        event->ignore();
        return;
    }
    const QStringList reopen = reopenArguments();
    m_closing = true;
    m_document->closeForExit();
    if (m_restart && m_restarter) {
        m_restarter(reopen);
    }
    event->accept();
}

void MainWindow::switchLanguage(bool chinese) {
    const char* library = chinese ? SettingsFile::kChinese : SettingsFile::kEnglish;
    if (m_app.language() == library) {
        return; // the language of this run already
    }
    const Message question = Message::string(chinese ? appmsg::kSwitchToChinese : appmsg::kSwitchToEnglish);
    if (prompts().askTitled(question, Buttons::YesNo, ui::text(appmsg::kNoticeCaption)) !=
        Answer::Yes) {
        return;
    }
    // Changes are settled before anything is written: Cancel leaves everything as it was.
    if (!m_document->settleChanges(appmsg::kSaveBeforeRestart)) {
        refreshWorkspace();
        updateCommandStates();
        return;
    }
    if (!m_app.settings().writeLanguage(library)) {
        prompts().show(Message::string(appmsg::kSettingsNotWritten, {m_app.settings().path()}),
                       Icon::Warning);
        return;
    }
    m_restart = true;
    close();
}

QStringList MainWindow::reopenArguments() const {
    const std::string& path = store().projectPath;
    if (!store().projectOpen || path.empty()) {
        return {};
    }
    // In stacking order, so that the window on top comes back on top.
    QStringList screens;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
        auto* w = qobject_cast<ScreenWindow*>(sub);
        if (w && w->screenNo() != 0 && store().screenExists(w->screenNo())) {
            screens << QString::number(w->screenNo());
        }
    }
    QStringList arguments;
    if (!screens.isEmpty()) {
        arguments << QStringLiteral("--screens") << screens.join(QLatin1Char(','));
    }
    return arguments << ui::qs(path);
}

bool MainWindow::openAtStart(const QString& project, const QList<int>& screens) {
    if (screens.isEmpty()) {
        return loadProjectFile(project);
    }
    if (!m_document->load(ui::str(project))) {
        return false;
    }
    for (int s : screens) {
        openScreen(s);
    }
    if (screenWindows().isEmpty()) {
        afterProjectLoaded();
        return true;
    }
    rebuildWorkspace();
    updateCommandStates();
    return true;
}

void MainWindow::startAgain(const QStringList& arguments) {
    // The program directory of this run goes along in the environment, so the new process
    // reads the same settings file; the arguments open the project again.
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(arguments);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPCRAFT_HOME"), ui::qs(m_app.dir().path()));
    process.setProcessEnvironment(env);
    process.startDetached();
}

void MainWindow::openDocument(int textId) {
    const std::string path = m_app.dir().file(LanguageStrings::current().text(textId));
    const QString qpath = ui::qs(path);
    QFileInfo info(qpath);
    if (!info.exists()) {
        prompts().show(Message::text(LanguageStrings::current().text(appmsg::kFileNotFoundBefore) + path +
                                     LanguageStrings::current().text(appmsg::kFileNotFoundAfter)),
                       Icon::Warning);
        return;
    }
    if (!info.isReadable()) {
        prompts().show(Message::text(LanguageStrings::current().text(appmsg::kFileInUseBefore) + path +
                                     LanguageStrings::current().text(appmsg::kFileInUseAfter)),
                       Icon::Warning);
        return;
    }
    if (!prompts().openExternal(QUrl::fromLocalFile(info.absoluteFilePath()))) {
        prompts().show(Message::string(appmsg::kDocumentCannotOpen), Icon::Warning);
    }
}

void MainWindow::showAbout() {
    AboutDialog dialog(m_app, this);
    DialogRunner::exec(dialog);
}

} // namespace dispcraft
