// The main window's side of the project's history: Undo and Redo, the windows they act on,
// and the rules that keep the editing commands on the widget the user is working in.
#include "app/MainWindow.h"

#include "app/Commands.h"
#include "app/HistoryTarget.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "document/ProjectDocument.h"
#include "editor/UndoMessages.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMdiArea>
#include <QRegularExpression>
#include <QStatusBar>

namespace dispcraft {

using namespace command;

ScreenWindow* MainWindow::windowOfKey(int key) const {
    for (ScreenWindow* w : screenWindows()) {
        if (!w->closed() && w->historyKey() == key) {
            return w;
        }
    }
    return nullptr;
}

void MainWindow::undo() {
    stepHistory(false);
}

void MainWindow::redo() {
    stepHistory(true);
}

void MainWindow::stepHistory(bool forward) {
    UndoHistory& history = m_document->history();
    const UndoCommand* next = forward ? history.nextRedo() : history.nextUndo();
    if (next == nullptr) {
        return;
    }
    // A change of the panel model moved every object with the LCD: it is taken back or made
    // again, as it was made, with no screen window open.
    if (next->needsClosedWindows() && !screenWindows().isEmpty()) {
        prompts().show(Message::string(63544), Icon::Information);
        return;
    }
    if (forward) {
        history.redo(*m_historyTarget);
    } else {
        history.undo(*m_historyTarget);
    }
    for (ScreenWindow* w : screenWindows()) {
        if (!w->closed()) {
            w->syncModified();
            w->afterEdit();
        }
    }
    refreshWorkspace();
    updateTitle();
    updateCommandStates();
}

void MainWindow::updateHistoryActions() {
    const UndoHistory& history = m_document->history();
    auto name = [](int command, int named, const Message& step) {
        if (step.empty()) {
            return ui::caption(command);
        }
        // The step's name as its own text, so that a '&' in a screen's name shows as it is.
        QString text = ui::text(step);
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        return ui::text(Message::string(named, {ui::str(text)}));
    };
    QAction* undo = m_actions.at(kUndo);
    QAction* redo = m_actions.at(kRedo);
    undo->setText(name(kUndo, undomsg::kUndoNamed, history.undoName()));
    redo->setText(name(kRedo, undomsg::kRedoNamed, history.redoName()));
    for (QAction* a : {undo, redo}) {
        QString plain = a->text();
        plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        a->setToolTip(
            QStringLiteral("%1 (%2)").arg(plain, a->shortcut().toString(QKeySequence::NativeText)));
    }
}

bool MainWindow::focusOnScreen() const {
    const QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<const QMenuBar*>(focus) != nullptr) {
        focus = m_workFocus; // Alt+E and the like: the commands stay with the work
    }
    if (focus == nullptr) {
        return true;
    }
    // A menu or a toolbar button keeps the focus where it was; a widget of the main window
    // that is no screen window takes the commands away from the screens.
    if (!isAncestorOf(focus)) {
        return true;
    }
    return m_mdi->isAncestorOf(focus) || focus == m_mdi;
}

bool MainWindow::editFocusedField(int id) {
    QWidget* focus = QApplication::focusWidget();
    QLineEdit* line = qobject_cast<QLineEdit*>(focus);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(focus)) {
        line = spin->findChild<QLineEdit*>();
    }
    if (line == nullptr) {
        return false;
    }
    switch (id) {
    case kCut:
        line->cut();
        break;
    case kCopy:
        line->copy();
        break;
    case kPaste:
        line->paste();
        break;
    case kDelete:
        line->del();
        break;
    case kSelectAll:
        line->selectAll();
        break;
    default:
        return false;
    }
    return true;
}

void MainWindow::updatePlacementState() {
    ScreenWindow* w = activeScreenWindow();
    const int kind = w != nullptr ? w->session().pointer().placingKind() : 0;
    const int armed = kind != 0 ? w->armedPlacement() : 0;
    for (int id : {kPlaceTextString, kPlaceMsgDisp, kPlaceNumDisp, kPlaceShortNumDisp,
                   kPlaceBarGraph, kPlaceTrendGraph, kPlaceLamp, kPlacePicture}) {
        m_actions.at(id)->setChecked(id == armed);
    }
    QStatusBar* bar = statusBar();
    const QString hint = kind == 0
                             ? QString()
                             : ui::text(armed == kPlaceShortNumDisp ? undomsg::kClockPlacementHint
                                                                    : undomsg::placementHint(kind));
    if (!hint.isEmpty()) {
        bar->showMessage(hint);
        m_placementHint = hint;
    } else if (!m_placementHint.isEmpty()) {
        // The hint goes with the tool; another message stays.
        if (bar->currentMessage() == m_placementHint) {
            bar->showMessage(ui::text(appmsg::kStatusReady));
        }
        m_placementHint.clear();
    }
}

} // namespace dispcraft
