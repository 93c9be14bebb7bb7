#pragma once

#include "document/ProjectEditors.h"
#include "image/BuildResult.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStackedWidget;
class QTimer;
class QToolBar;

namespace dispcraft {

class AppContext;
class ForwardingPrompts;
class HistoryTarget;
class ProjectDocument;
class ProjectTools;
class Prompts;
class ScreenWindow;
class SimulatorWindow;
class StartPane;
class WidgetPrompts;
class WorkspaceDock;
struct ProjectStore;

// What the build hands over once the download image is written: the download dialog takes it
// from here (see setBuildHandover).
struct BuiltImage {
    std::string imagePath; // "qelsoft.qel"
    BuildResult result;    // the image, its warnings and the start screen check
};

// The main window: owns the project document (and with it the store) for the whole run, the
// MDI area with one screen window per open screen, the menus and toolbars of every command,
// the status bar and the workspace bar. Project commands (new, open, save, close, build,
// screen list, language) are here; view commands go to the active screen window. To the
// document it is the set of open editors.
class MainWindow : public QMainWindow, private ProjectEditors {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- What the dialogs, the workspace and the screen windows use ---------------------
    ProjectDocument& document() { return *m_document; }
    const ProjectDocument& document() const { return *m_document; }
    ProjectStore& store();
    const ProjectStore& store() const;
    AppContext& app() { return m_app; }
    // Message boxes and file dialogs (a forwarder to the prompts in use).
    Prompts& prompts();
    // Tests put scripted prompts in place of the message boxes and file dialogs (not owned).
    void setPrompts(Prompts* prompts);
    QMdiArea* mdiArea() const { return m_mdi; }
    // Shown in place of the screen windows while no project is open.
    StartPane* startPane() const { return m_startPane; }
    WorkspaceDock* workspace() const { return m_workspace; }
    // Address usage, texts for translation, the report.
    ProjectTools& tools() const { return *m_tools; }

    // ---- Commands ------------------------------------------------------------------------
    // The action of a command id (menus, toolbars and the context menu share it); null when
    // there is none.
    QAction* action(int command) const;
    // Runs a command as the menu does, when it is enabled; returns whether it ran.
    bool runCommand(int command);
    bool commandEnabled(int command) const;
    // Renews every action's enabled and checked state (after anything that changes a rule).
    void updateCommandStates();

    // ---- Project -------------------------------------------------------------------------
    void newProject();
    // recent 1..4 opens that entry of the recent list; 0 asks with a file dialog.
    void openProject(int recent);
    // Loads a project file without questions (the program's command-line argument).
    bool loadProjectFile(const QString& path);
    bool closeProject();
    // Opens an example project as a new, untitled one (the start pane's examples).
    bool openExample(const QString& path);
    enum class SaveFrom { MainWindow, Editor };
    // Stores every open screen window and writes the project file; false when nothing was
    // written (a dialog cancelled, a question answered No, the file not writable).
    bool saveProject(SaveFrom from = SaveFrom::MainWindow);
    bool saveProjectAs();
    // The recent list with the current path first, written to the settings file.
    void updateRecentList();

    // ---- Screen windows ------------------------------------------------------------------
    // A new, empty screen window (command 57600).
    ScreenWindow* newScreenWindow();
    // Shows stored screen s, bringing its window to the front when it is open already.
    void openScreen(int s);
    ScreenWindow* activeScreenWindow() const;
    // Screen s's window becomes the active one, its view holding the keyboard focus (opening
    // it when needed); false when the project has no screen s.
    bool focusScreen(int s);
    QList<ScreenWindow*> screenWindows() const;
    ScreenWindow* windowOfScreen(int s) const;
    // The open window the history knows by key (ScreenContents::historyKey); null when none.
    ScreenWindow* windowOfKey(int key) const;
    void previousScreen();
    void nextScreen();
    void screenList();
    // The screen number dialog for a window without a number, or on save-as: binds the window
    // to the chosen number, closing other windows bound to it. False when cancelled.
    bool chooseScreenNumber(ScreenWindow& window, bool saveAs);
    // Stores one window into the project (asking for a number when it has none).
    bool storeScreenWindow(ScreenWindow& window);
    // Closes every screen window without questions (the project question came before).
    void closeAllScreenWindows();
    // Windows showing a screen the screen manager copied onto load it again.
    void reloadChangedScreens();

    // ---- History -------------------------------------------------------------------------
    // Edit > Undo and Redo: the last change taken back, or the last undone made again, its
    // screen's window brought to the front (opened when closed).
    void undo();
    void redo();

    // ---- Clipboard -----------------------------------------------------------------------
    bool clipboardHasBlock() const;
    // Publishes a copied block under "quorl"; the window becomes the clipboard's owner.
    void publishClipboard(ScreenWindow& owner, const std::vector<uint8_t>& block);
    // Empties the clipboard when it holds what this program put there.
    void emptyClipboard();

    // ---- Build ---------------------------------------------------------------------------
    void build();
    // What happens with a written download image: the download dialog opens here. Until it is
    // set the result is reported in a message box.
    using BuildHandover = std::function<void(MainWindow&, const BuiltImage&)>;
    void setBuildHandover(BuildHandover handover) { m_buildHandover = std::move(handover); }
    // Where the image is written: the program directory, or beside the settings file when the
    // program directory cannot be written.
    std::string imagePath() const;
    // Project > Simulate (F5): stores the screen windows into the project, as saving does, and
    // opens the simulator on the built image, or rebuilds and restarts the one that is open.
    void simulate();
    SimulatorWindow* simulator() const;
    // One line on a written image: its file, size, screens and warnings (the status bar, the
    // download dialog and the build report show it).
    static QString buildSummary(const BuiltImage& built, const ProjectStore& store);

    // ---- Language, documents, restart ----------------------------------------------------
    // One question, the changes settled, then the program starts again in the new language
    // with the project and its open screens as they were.
    void switchLanguage(bool chinese);
    void openDocument(int textId);
    void showAbout();
    bool restartPending() const { return m_restart; }
    // The arguments that open what is open now: "--screens 1,3 PROJECT" (nothing when the
    // project has no file).
    QStringList reopenArguments() const;
    // Opens a project at start; screens: the numbers to open in windows (none given: the
    // lowest screen, as opening a project does).
    bool openAtStart(const QString& project, const QList<int>& screens = {});
    // Recovery copies of unsaved work: every "interval" seconds of the settings file's
    // "Recovery" section while the project has unsaved changes, and at start the offer of
    // those left by a program that was killed. True when one was restored (it is open then).
    bool startRecovery();
    // Starts the program again after a language switch with the given arguments (tests replace
    // it).
    using Restarter = std::function<void(const QStringList& arguments)>;
    void setRestarter(Restarter restarter) { m_restarter = std::move(restarter); }

    // ---- Status bar and workspace --------------------------------------------------------
    // The pane for texts and the pointer's dot position.
    void setStatusPaneText(const QString& text);
    QString statusPaneText() const;
    // The status bar's line on the last build of this project.
    QString buildPaneText() const;
    // The project changed as a whole (new, open, close, model).
    void rebuildWorkspace();
    // The screen list changed (a screen stored, renamed, removed).
    void refreshWorkspace();
    void updateTitle();

signals:
    // A screen window was opened, activated or closed.
    void screenWindowsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createWorkspace();
    QAction* makeAction(int command, const QKeySequence& keys = {});
    void dispatch(int command);
    void updateRecentMenu();
    // ProjectEditors: the screen windows.
    bool anyModified() const override;
    void storeAll() override;
    void storeAllInto(ProjectStore& copy) const override;
    void closeAll() override;
    void writeRecoveryCopy();
    void afterProjectLoaded();
    // The save file dialog of the project; empty when cancelled.
    QString chooseProjectFile(const QString& start);
    void startAgain(const QStringList& arguments);
    void showBuildReport(const BuiltImage& built);
    // Undo and redo: one step of the history, then the windows and commands follow.
    void stepHistory(bool forward);
    void updateHistoryActions();
    // Cut, copy, paste, delete and select all act on the widget with the keyboard focus.
    static bool followsFocus(int command);
    // True when the focus is on a screen window (or on nothing that takes these commands),
    // false when another widget of the main window has it.
    bool focusOnScreen() const;
    // The same commands on a text field with the focus; false when the focus is elsewhere.
    bool editFocusedField(int command);
    // The armed placement tool: its toolbar button pressed and its hint in the status bar.
    void updatePlacementState();

    AppContext& m_app;
    std::unique_ptr<WidgetPrompts> m_ownPrompts;
    std::unique_ptr<ForwardingPrompts> m_prompts;
    std::unique_ptr<ProjectDocument> m_document;
    std::unique_ptr<HistoryTarget> m_historyTarget;
    QStackedWidget* m_central = nullptr;
    StartPane* m_startPane = nullptr;
    QMdiArea* m_mdi = nullptr;
    WorkspaceDock* m_workspace = nullptr;
    ProjectTools* m_tools = nullptr;
    QToolBar* m_mainToolBar = nullptr;
    QToolBar* m_objectToolBar = nullptr;
    QLabel* m_statusPane = nullptr;
    QLabel* m_buildPane = nullptr; // the last build's result, kept while menu tips come and go
    QMenu* m_fileMenu = nullptr;
    std::map<int, QAction*> m_actions;
    BuildHandover m_buildHandover;
    QPointer<SimulatorWindow> m_simulator;
    Restarter m_restarter;
    QTimer* m_recoveryTimer = nullptr;
    bool m_recoveryFailing = false; // the last recovery copy could not be written
    QString m_placementHint; // shown while a placement tool is armed
    bool m_restart = false;
    bool m_closing = false;
    // The widget the user last worked in; the menu bar, while it is navigated with the keyboard,
    // takes the focus but leaves the commands to that widget.
    QPointer<QWidget> m_workFocus;
};

} // namespace dispcraft
