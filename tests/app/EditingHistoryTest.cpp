// Editing that forgives, driven as a user would: undo and redo against the saved state, the
// arrow keys on a selection, cut, copy, paste and delete following the keyboard focus, and a
// placing click that moves nothing else.
#include "AppTestSupport.h"

#include "app/workspace/WorkspaceDock.h"
#include "editor/UndoMessages.h"
#include "model/ProjectStore.h"

#include <QStatusBar>
#include <QMenuBar>
#include <QTreeWidget>

using namespace dispcraft;
using namespace dispcraft::apptest;

class EditingHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void undoReturnsToTheSavedStateAndReopensTheScreen();
    void editingCommandsFollowTheFocus();
    void placingMovesNothingElseAndShowsItsTool();
};

namespace {
// Keyboard shortcuts and the focus rules need the main window active.
void activate(Fixture& f) {
    f.main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
}

const TextStringObject& text(Fixture& f, int i) {
    return f.active()->session().screen().objects().textStrings[static_cast<size_t>(i)];
}
} // namespace

void EditingHistoryTest::undoReturnsToTheSavedStateAndReopensTheScreen() {
    Fixture f;
    activate(f);
    f.newProject();
    f.placeText(QStringLiteral("AB"), 16, 32);
    f.placeText(QStringLiteral("CD"), 96, 64);
    f.saveAs(QStringLiteral("h.trn"), 1);
    QVERIFY(f.dialogs.done());
    QVERIFY(!f.main->document().modified());
    const int x0 = text(f, 0).x;

    // Select all, two steps right and one down: one step in the history, named for both.
    f.canvas()->setFocus();
    QTest::keyClick(f.canvas(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.canvas(), Qt::Key_Right);
    QTest::keyClick(f.canvas(), Qt::Key_Right);
    QTest::keyClick(f.canvas(), Qt::Key_Down);
    QCOMPARE(text(f, 0).x, x0 + 32);
    QVERIFY(f.main->document().modified());
    QVERIFY(f.active()->isWindowModified());
    QCOMPARE(
        f.main->action(command::kUndo)->text(),
        ui::text(Message::string(undomsg::kUndoNamed,
                                 {ui::str(ui::text(Message::string(undomsg::kMoveMany, {"2"})))})));

    // Ctrl+Z: back where the file has them, and nothing left unsaved.
    QTest::keyClick(f.canvas(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text(f, 0).x, x0);
    QVERIFY(!f.main->document().modified());
    QVERIFY(!f.active()->isWindowModified());
    // Ctrl+Y makes it again; Ctrl+Shift+Z after an undo too.
    QTest::keyClick(f.canvas(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(text(f, 0).x, x0 + 32);
    QVERIFY(f.main->document().modified());
    QTest::keyClick(f.canvas(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(f.canvas(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text(f, 0).x, x0 + 32);
    QTest::keyClick(f.canvas(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!f.main->document().modified());

    // Saving keeps the history; a closed screen opens again when its change is made again.
    f.active()->close();
    QCOMPARE(f.main->screenWindows().size(), 0);
    QVERIFY(f.prompts.asked.empty());
    f.main->runCommand(command::kRedo);
    QVERIFY(f.active() != nullptr);
    QCOMPARE(f.active()->screenNo(), 1);
    QCOMPARE(text(f, 0).x, x0 + 32);
    QVERIFY(f.active()->isWindowModified());
    f.main->runCommand(command::kUndo);
    QCOMPARE(text(f, 0).x, x0);
    QVERIFY(!f.main->document().modified());
    // Further back: the second text's placing, in the same window.
    f.main->runCommand(command::kUndo); // the screen's number
    f.main->runCommand(command::kUndo);
    QVERIFY(!text(f, 1).occupies(kKindTextString));
    QVERIFY(f.main->document().modified());

    // Closing the project ends the history.
    f.prompts.answers.push_back(Answer::No);
    QVERIFY(f.main->closeProject());
    QVERIFY(!f.main->document().history().canUndo());
    QVERIFY(!f.main->document().history().canRedo());
}

void EditingHistoryTest::editingCommandsFollowTheFocus() {
    Fixture f;
    activate(f);
    f.newProject();
    f.placeText(QStringLiteral("AB"), 16, 32);
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.at(20, 40));
    QVERIFY(text(f, 0).selected());
    QVERIFY(f.main->commandEnabled(command::kDelete));

    // The workspace tree has the focus: Delete and Cut leave the screen's objects alone.
    auto* tree = f.main->workspace()->findChild<QTreeWidget*>(QStringLiteral("projectTree"));
    QVERIFY(tree != nullptr);
    tree->setFocus();
    QVERIFY(!f.main->commandEnabled(command::kDelete));
    QVERIFY(!f.main->commandEnabled(command::kCut));
    QTest::keyClick(tree, Qt::Key_Delete);
    QTest::keyClick(tree, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(text(f, 0).occupies(kKindTextString));

    // Back in the view, Delete deletes, and Ctrl+Z brings the object back selected.
    f.canvas()->setFocus();
    QVERIFY(f.main->commandEnabled(command::kDelete));
    // The menu bar navigated from the keyboard (Alt+E) leaves the commands with the view.
    f.main->menuBar()->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.main->menuBar()));
    QVERIFY(f.main->commandEnabled(command::kDelete));
    QVERIFY(f.main->commandEnabled(command::kCut));
    f.canvas()->setFocus();
    QTest::keyClick(f.canvas(), Qt::Key_Delete);
    QVERIFY(!text(f, 0).occupies(kKindTextString));
    QTest::keyClick(f.canvas(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(text(f, 0).occupies(kKindTextString));
    QVERIFY(text(f, 0).selected());
}

void EditingHistoryTest::placingMovesNothingElseAndShowsItsTool() {
    Fixture f;
    f.newProject();
    f.placeText(QStringLiteral("OLD"), 16, 32);
    const Point old{text(f, 0).x, text(f, 0).y};
    // The old object pressed, then the placement armed: a click that jitters places the new
    // one and moves nothing else.
    QTest::mousePress(f.canvas(), Qt::LeftButton, {}, f.at(20, 40));
    f.dialogs.expect(QStringLiteral("textStringDialog"), [](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("ctl1003"))->setText(QStringLiteral("NEW"));
        DialogScript::ok(d);
    });
    f.main->runCommand(command::kPlaceTextString);
    QVERIFY(f.main->action(command::kPlaceTextString)->isChecked());
    QCOMPARE(f.main->statusBar()->currentMessage(),
             ui::text(undomsg::placementHint(kKindTextString)));
    QVERIFY(f.canvas()->cursor().shape() != Qt::ArrowCursor ||
            !f.canvas()->cursor().pixmap().isNull());
    QTest::mousePress(f.canvas(), Qt::LeftButton, {}, f.at(200, 40));
    QTest::mouseMove(f.canvas(), f.at(260, 90));
    QTest::mouseRelease(f.canvas(), Qt::LeftButton, {}, f.at(260, 90));
    QCOMPARE(text(f, 1).text, std::string("NEW"));
    QCOMPARE((Point{text(f, 0).x, text(f, 0).y}), old);
    // Esc ends the tool: the button comes up and the hint goes.
    QTest::keyClick(f.canvas(), Qt::Key_Escape);
    f.main->updateCommandStates();
    QVERIFY(!f.main->action(command::kPlaceTextString)->isChecked());
    QVERIFY(f.main->statusBar()->currentMessage() !=
            ui::text(undomsg::placementHint(kKindTextString)));
}

QTEST_MAIN(EditingHistoryTest)
#include "EditingHistoryTest.moc"
