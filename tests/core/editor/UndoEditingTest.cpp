// Editing a screen window as steps of the history: group moves, arrow keys, alignment, placing,
// deleting and pasting, each undone and redone, with the LCD's and the grid's rules kept.
#include "EditorTestSupport.h"

#include "document/ChangeRecorder.h"
#include "document/UndoHistory.h"
#include "editor/UndoMessages.h"
#include "editor/UndoTarget.h"

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// The history's view of one open window.
struct OneWindow : UndoTarget {
    ProjectStore& st;
    EditorSession& session;
    std::vector<int> shown;
    std::vector<int> reloaded;
    std::vector<std::pair<int, int>> rebound;
    OneWindow(ProjectStore& s, EditorSession& e) : st(s), session(e) {}
    ProjectStore& store() override { return st; }
    ScreenContents* screenWindow(int key) override {
        shown.push_back(key);
        return key == session.screen().historyKey() ? &session.screen() : nullptr;
    }
    void rebindWindow(int from, int to) override { rebound.emplace_back(from, to); }
    void storedScreensChanged(const std::vector<int>& screens) override {
        reloaded.insert(reloaded.end(), screens.begin(), screens.end());
    }
    void projectChanged() override {}
};

struct Undoing : EditorFixture {
    UndoHistory history;
    OneWindow target{*store, *session};
    Undoing() { session->setUndoSink(&history); }
    Point at(int i) const {
        return {session->screen().objects().textStrings[size_t(i)].x,
                session->screen().objects().textStrings[size_t(i)].y};
    }
    bool selected(int i) { return text(i).selected(); }
    void clickOn(Point p, bool toggle = false) {
        session->press(p, toggle);
        session->release(p);
    }
    void dragFrom(Point from, Point to) {
        session->press(from);
        session->pointer().move(to, true);
        session->release(to);
    }
};

} // namespace

TEST_F(Undoing, ADragMovesTheWholeSelectionAsAGroupKeptInsideTheLcd) {
    addText(0, lx() + 16, ly() + 32, "AB");   // 32 wide
    addText(1, lx() + 320, ly() + 64, "ABC"); // right edge 16 short of the LCD's
    addText(2, lx() + 100, ly(), "X");
    clickOn({lx() + 20, ly() + 40});
    clickOn({lx() + 330, ly() + 70}, true); // Ctrl-click adds
    EXPECT_TRUE(selected(0));
    EXPECT_TRUE(selected(1));
    EXPECT_TRUE(history.count() == 0); // selecting is no step

    // Four grid steps asked, one possible: the group stops as its right edge meets the LCD's.
    dragFrom({lx() + 20, ly() + 40}, {lx() + 20 + 64, ly() + 40});
    EXPECT_EQ(at(0), (Point{lx() + 32, ly() + 32}));
    EXPECT_EQ(at(1), (Point{lx() + 336, ly() + 64}));
    EXPECT_EQ(at(2), (Point{lx() + 100, ly()}));
    EXPECT_TRUE(selected(0) && selected(1)); // the selection holds
    ASSERT_EQ(history.count(), 1u);
    EXPECT_EQ(history.undoName(), Message::string(undomsg::kMoveMany, {"2"}));

    // Down and left from there: whole steps from the press point, both together, the left
    // one stopping at the LCD's left edge.
    dragFrom({lx() + 340, ly() + 70}, {lx() + 340 - 40, ly() + 70 + 26});
    EXPECT_EQ(at(0), (Point{lx() + 0, ly() + 48}));
    EXPECT_EQ(at(1), (Point{lx() + 304, ly() + 80}));

    history.undo(target);
    EXPECT_EQ(at(0), (Point{lx() + 32, ly() + 32}));
    history.undo(target);
    EXPECT_EQ(at(0), (Point{lx() + 16, ly() + 32}));
    EXPECT_EQ(at(1), (Point{lx() + 320, ly() + 64}));
    history.redo(target);
    EXPECT_EQ(at(1), (Point{lx() + 336, ly() + 64}));
    EXPECT_EQ(target.shown.back(), session->screen().historyKey());

    // A click on one object of the selection, without a drag, keeps that one alone; a
    // Ctrl-click on a selected object takes it out.
    clickOn({lx() + 340, ly() + 70});
    EXPECT_TRUE(selected(1));
    EXPECT_FALSE(selected(0));
    clickOn({lx() + 340, ly() + 70}, true);
    EXPECT_FALSE(session->screen().objects().anySelected());
}

TEST_F(Undoing, ArrowKeysMoveByOneGridStepAndMergeIntoOneStep) {
    addText(0, lx() + 16, ly() + 32, "AB");
    addText(1, lx() + 64, ly() + 96, "A"); // bottom edge on the LCD's
    session->screen().setStoredMark(history.stateMark(session->screen().historyKey()));
    session->nudge(1, 0); // nothing selected: nothing moves
    EXPECT_EQ(history.count(), 0u);
    session->selectAll();
    session->nudge(1, 0);
    session->nudge(1, 0);
    session->nudge(0, -1);
    EXPECT_EQ(at(0), (Point{lx() + 48, ly() + 16}));
    EXPECT_EQ(at(1), (Point{lx() + 96, ly() + 80}));
    EXPECT_EQ(history.count(), 1u);
    EXPECT_EQ(history.undoName(), Message::string(undomsg::kMoveMany, {"2"}));
    // Down until the lower one meets the LCD's bottom: the group stops there.
    for (int i = 0; i < 5; ++i) {
        session->nudge(0, 1);
    }
    EXPECT_EQ(at(0), (Point{lx() + 48, ly() + 32}));
    EXPECT_EQ(at(1), (Point{lx() + 96, ly() + 96}));
    EXPECT_EQ(history.count(), 1u);
    EXPECT_TRUE(session->screen().modified());

    history.undo(target);
    EXPECT_EQ(at(0), (Point{lx() + 16, ly() + 32}));
    EXPECT_EQ(at(1), (Point{lx() + 64, ly() + 96}));
    // Back at the state the window was opened in.
    EXPECT_EQ(history.stateMark(session->screen().historyKey()), session->screen().storedMark());
    EXPECT_TRUE(selected(0) && selected(1));
}

TEST_F(Undoing, AlignmentPutsEachObjectOnTheGridInsideTheLcdAsOneStep) {
    addText(0, lx() + 48, ly(), "AB");        // 32 wide
    addText(1, lx() + 16, ly() + 32, "ABCD"); // 64 wide
    addText(2, lx() + 336, ly() + 96, "ABC"); // 48 wide, right edge on the LCD's
    session->selectAll();
    session->align(Alignment::Left);
    EXPECT_EQ(at(0).x, lx() + 16);
    EXPECT_EQ(at(1).x, lx() + 16);
    EXPECT_EQ(at(2).x, lx() + 16);
    EXPECT_EQ(history.undoName(), Message::string(undomsg::kAlignLeft));
    history.undo(target);

    session->align(Alignment::Right); // right edges on the LCD's: no object past it
    EXPECT_EQ(at(0).x, lx() + 352);
    EXPECT_EQ(at(1).x, lx() + 320);
    EXPECT_EQ(at(2).x, lx() + 336);
    history.undo(target);

    session->align(Alignment::Bottom);
    EXPECT_EQ(at(0).y, ly() + 96);
    EXPECT_EQ(at(1).y, ly() + 96);
    history.undo(target);

    // Centres on the middle of the whole (x 16..384: 200), each on the nearest grid point
    // (halfway goes right).
    session->align(Alignment::Centres);
    EXPECT_EQ(at(0).x, lx() + 192); // 200 - 16 = 184
    EXPECT_EQ(at(1).x, lx() + 176); // 200 - 32 = 168
    EXPECT_EQ(at(2).x, lx() + 176); // 200 - 24 = 176
    history.undo(target);

    // Equal gaps across, the outermost staying: 16..80, 48..80 and 336..384 hold 144 dots of
    // objects in 368, so gaps of 112.
    session->align(Alignment::SpaceAcross);
    EXPECT_EQ(at(1).x, lx() + 16);
    EXPECT_EQ(at(0).x, lx() + 192); // 16 + 64 + 112
    EXPECT_EQ(at(2).x, lx() + 336);
    // Each arrangement was one step, undone before the next replaced it.
    EXPECT_EQ(history.count(), 1u);
    history.undo(target);
    EXPECT_EQ(at(0), (Point{lx() + 48, ly()}));
    EXPECT_EQ(at(1), (Point{lx() + 16, ly() + 32}));

    // One object selected: nothing to line up, no step.
    session->screen().deselectAll();
    text(0).select(true);
    session->align(Alignment::Left);
    EXPECT_FALSE(history.canUndo());
    EXPECT_TRUE(history.canRedo());
}

TEST_F(Undoing, PlacingDeletingAndPastingComeBackWhole) {
    addText(0, lx() + 16, ly() + 32, "OLD");
    // The old object pressed (selected, a move armed), then a placement tool armed: a jittery
    // placing click places the new object and moves nothing else.
    session->press({lx() + 20, ly() + 40});
    armText("NEW");
    session->press({lx() + 100, ly() + 40});
    session->pointer().move({lx() + 140, ly() + 90}, true);
    session->release({lx() + 140, ly() + 90});
    EXPECT_EQ(at(0), (Point{lx() + 16, ly() + 32}));
    EXPECT_EQ(text(1).text, "NEW");
    EXPECT_EQ(at(1), (Point{lx() + 96, ly() + 32}));
    ASSERT_EQ(history.count(), 1u);
    EXPECT_EQ(history.undoName(),
              Message::string(undomsg::kPlace, {LanguageStrings::current().text(66260)}));
    session->pointer().selectTool();

    // Delete the first: the list closes up; undo gives it back in its slot, selected as it was.
    session->screen().deselectAll();
    text(0).select(true);
    session->deleteSelected();
    EXPECT_EQ(text(0).text, "NEW");
    EXPECT_EQ(history.undoName(), Message::string(undomsg::kDeleteOne));
    history.undo(target);
    EXPECT_EQ(text(0).text, "OLD");
    EXPECT_TRUE(selected(0));
    EXPECT_EQ(text(1).text, "NEW");
    EXPECT_FALSE(selected(1));

    // Cut and paste back: two steps, each undone.
    std::vector<uint8_t> block = session->cutBlock();
    EXPECT_EQ(session->paste(block.data(), block.size()), 1);
    EXPECT_EQ(history.undoName(), Message::string(undomsg::kPasteOne));
    history.undo(target);
    history.undo(target);
    EXPECT_EQ(text(0).text, "OLD");
    EXPECT_EQ(text(1).text, "NEW");
    EXPECT_FALSE(text(2).occupies(kKindTextString));
    // A paste of nothing changes nothing, not even the changed flag.
    session->screen().clearModified();
    session->paste(nullptr, 0);
    EXPECT_FALSE(session->screen().modified());
    history.undo(target);
    EXPECT_FALSE(text(1).occupies(kKindTextString));
    EXPECT_EQ(history.index(), 0u);
}

TEST_F(Undoing, AProjectChangeKeepsWhatDifferedAndLetsWindowsFollow) {
    store->entries[3].number = 3;
    store->entries[3].setName("Three");
    store->alarmPools[0] = "alarm";
    ChangeRecorder change(history, *store);
    change.watch(session->screen());
    store->alarmPools[0] = "changed";
    store->entries[3].number = 0; // deleted
    store->screens[5].textPool = "copied";
    store->entries[5].number = 5;
    store->treeChanged = true;
    addText(0, lx(), ly(), "W");
    ASSERT_TRUE(change.commit(Message::text("several")));
    EXPECT_FALSE(store->treeChanged); // the history accounts for it
    ASSERT_EQ(history.count(), 1u);

    history.undo(target);
    EXPECT_EQ(store->alarmPools[0], "alarm");
    EXPECT_TRUE(store->screenExists(3));
    EXPECT_FALSE(store->screenExists(5));
    EXPECT_TRUE(store->screens[5].textPool.empty());
    EXPECT_FALSE(text(0).occupies(kKindTextString));
    EXPECT_EQ(target.reloaded, (std::vector<int>{3, 5}));
    history.redo(target);
    EXPECT_EQ(store->alarmPools[0], "changed");
    EXPECT_EQ(text(0).text, "W");

    // Nothing changed: no step, and the changed flag is what it was.
    ChangeRecorder nothing(history, *store);
    store->treeChanged = true;
    EXPECT_FALSE(nothing.commit(Message::text("none")));
    EXPECT_FALSE(store->treeChanged);
    EXPECT_EQ(history.count(), 1u);
}
