#pragma once

#include "editor/EditorSession.h"
#include "base/RgbImage.h"

#include <QMdiSubWindow>
#include <memory>
#include <optional>

class QScrollArea;

namespace dispcraft {

class MainWindow;
class Prompts;
class ScreenCanvas;
class ScreenRenderer;
class UndoHistory;

// One screen window: an MDI child that edits the working records of one screen (or of a
// screen without a number yet) through its editor session, shows the drawing at 1:1 in a
// scrollable view and handles the view commands.
class ScreenWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit ScreenWindow(MainWindow& main);
    ~ScreenWindow() override;

    MainWindow& mainWindow() { return m_main; }
    EditorSession& session() { return *m_session; }
    const EditorSession& session() const { return *m_session; }
    Prompts& prompts();
    ScreenCanvas* canvas() const { return m_canvas; }
    int screenNo() const { return m_session->screen().screenNo(); }
    bool modified() const { return m_session->screen().modified(); }

    // Unpacks stored screen s into this new window.
    ScreenContents::OpenResult loadScreen(int s);
    // Loads the window's screen again from the store (after the screen manager copied onto
    // it); unsaved edits of the window are replaced, and with forget their steps leave the
    // history (a step of the history that reloads keeps them).
    void reload(bool forget = true);
    // The window's contents were stored into the project (or loaded from it): its unsaved
    // edits are those the history records after this point.
    void markStored();
    // After undo or redo: the window holds unsaved edits exactly when the history's state of
    // it differs from the one last stored.
    void syncModified();
    // The placement command whose tool is armed (0 with the select tool).
    int armedPlacement() const { return m_armedPlacement; }
    int historyKey() const { return m_session->screen().historyKey(); }
    bool closed() const { return m_closed; }

    // View commands (placement, select, delete, redraw, remove, summary, clipboard, close,
    // save, save as).
    static bool isViewCommand(int command);
    bool commandEnabled(int command) const;
    void runCommand(int command);

    // Save (57603): the project is saved with this window's screen; false when nothing was
    // written.
    bool save();
    // Save as (57604): this screen under another number, or the project under a new name.
    bool saveAs();

    // A dialog changed the working records: repaint and renew the commands' states.
    void afterEdit();
    void updateTitle();
    // Closes without the question about unsaved changes (the project's question came first,
    // or another window took this window's screen number).
    void closeQuietly();

signals:
    void statusText(const QString& text);
    void stateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildSession();
    void showContextMenu(const QPoint& globalPos);
    void edit(const EditRequest& request);
    void copy(bool cut);
    void paste();
    void summary();
    void removeScreen();
    UndoHistory& history();

    MainWindow& m_main;
    std::unique_ptr<EditorSession> m_session;
    std::optional<RgbImage> m_picture;
    std::unique_ptr<ScreenRenderer> m_renderer;
    QScrollArea* m_scroll = nullptr;
    ScreenCanvas* m_canvas = nullptr;
    int m_armedPlacement = 0;
    bool m_quiet = false;
    bool m_closed = false;
};

} // namespace dispcraft
