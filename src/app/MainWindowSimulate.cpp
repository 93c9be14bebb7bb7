// Project > Simulate: the panel simulator on the project as it stands in the screen windows.
#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/SimulatorWindow.h"
#include "app/UiText.h"
#include "model/ProjectStore.h"

namespace dispcraft {

SimulatorWindow* MainWindow::simulator() const { return m_simulator; }

void MainWindow::simulate() {
    ProjectStore& st = store();
    if (!st.projectOpen) {
        return;
    }
    // What the windows show goes into the project as saving stores it, without writing the file;
    // a window with no screen number yet has no place in the image.
    for (ScreenWindow* w : screenWindows()) {
        if (w->screenNo() != 0) {
            w->session().screen().storeScreen();
            w->afterEdit();
        }
    }
    refreshWorkspace();
    for (const Message& note : m_app.takeGlyphNotes()) {
        prompts().show(note, Icon::Warning);
    }
    const bool fresh = m_simulator.isNull();
    if (fresh) {
        m_simulator = new SimulatorWindow(m_app, prompts(), this);
        connect(m_simulator, &SimulatorWindow::rebuildRequested, this, &MainWindow::simulate);
    }
    if (!m_simulator->start(st)) {
        if (fresh) {
            m_simulator->deleteLater();
        }
        return;
    }
    m_simulator->show();
    m_simulator->raise();
    m_simulator->activateWindow();
}

} // namespace dispcraft
