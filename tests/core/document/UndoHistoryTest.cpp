// The history's bookkeeping: the position, the clean state, merging, limits, and steps that
// lose their window.
#include "document/UndoHistory.h"
#include "editor/UndoTarget.h"

#include <gtest/gtest.h>

#include <string>

using namespace dispcraft;

namespace {

// A target that is a counter; steps add to it.
struct Counter : UndoTarget {
    int value = 0;
    bool windowGone = false;
    ProjectStore& store() override { std::abort(); }
    ScreenContents* screenWindow(int) override { return nullptr; }
    void rebindWindow(int, int) override {}
    void storedScreensChanged(const std::vector<int>&) override {}
    void projectChanged() override {}
};

struct Add : UndoCommand {
    int amount;
    int key;
    int merge;
    bool* gone;
    Add(int a, int k = 0, int m = 0, bool* g = nullptr) : amount(a), key(k), merge(m), gone(g) {}
    bool undo(UndoTarget& t) override {
        if (gone && *gone) {
            return false;
        }
        static_cast<Counter&>(t).value -= amount;
        return true;
    }
    bool redo(UndoTarget& t) override {
        if (gone && *gone) {
            return false;
        }
        static_cast<Counter&>(t).value += amount;
        return true;
    }
    Message name() const override { return Message::text("add " + std::to_string(amount)); }
    int screenKey() const override { return key; }
    bool editsWindow() const override { return key != 0; }
    int mergeId() const override { return merge; }
    bool mergeWith(const UndoCommand& next) override {
        amount += static_cast<const Add&>(next).amount;
        return true;
    }
    size_t bytes() const override { return 100; }
};

// Does the change (as an editor does) and records it.
void act(UndoHistory& h, Counter& c, int amount, int key = 0, int merge = 0, bool* gone = nullptr) {
    c.value += amount;
    h.push(std::make_unique<Add>(amount, key, merge, gone));
}

} // namespace

TEST(UndoHistory, UndoRedoAndANewStepAfterUndo) {
    UndoHistory h;
    Counter c;
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.undo(c));
    act(h, c, 1);
    act(h, c, 10);
    EXPECT_EQ(h.undoName(), Message::text("add 10"));
    EXPECT_TRUE(h.undo(c));
    EXPECT_EQ(c.value, 1);
    EXPECT_EQ(h.redoName(), Message::text("add 10"));
    EXPECT_EQ(h.undoName(), Message::text("add 1"));
    EXPECT_TRUE(h.redo(c));
    EXPECT_EQ(c.value, 11);
    EXPECT_FALSE(h.redo(c));
    // A new step after an undo drops what could have been redone.
    h.undo(c);
    act(h, c, 100);
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.count(), 2u);
    h.undo(c);
    h.undo(c);
    EXPECT_EQ(c.value, 0);
}

TEST(UndoHistory, TheCleanStateFollowsSaveUndoAndRedo) {
    UndoHistory h;
    Counter c;
    EXPECT_TRUE(h.isClean());
    act(h, c, 1);
    EXPECT_FALSE(h.isClean());
    h.setClean(); // saved
    act(h, c, 2);
    EXPECT_FALSE(h.isClean());
    h.undo(c);
    EXPECT_TRUE(h.isClean()); // undone back to what was saved
    h.undo(c);
    EXPECT_FALSE(h.isClean());
    h.redo(c);
    EXPECT_TRUE(h.isClean());
    // Saved, undone, then another change: the saved state can no longer be reached.
    h.undo(c);
    act(h, c, 5);
    h.undo(c);
    h.redo(c);
    EXPECT_FALSE(h.isClean());
    h.clear();
    EXPECT_TRUE(h.isClean());
    EXPECT_EQ(h.count(), 0u);
}

TEST(UndoHistory, ConsecutiveStepsWithAMergeIdBecomeOneButNeverTheSavedOne) {
    UndoHistory h;
    Counter c;
    act(h, c, 1, 5, 7);
    act(h, c, 1, 5, 7);
    act(h, c, 1, 5, 7);
    EXPECT_EQ(h.count(), 1u);
    const uint64_t merged = h.stateMark(5);
    h.setClean();
    act(h, c, 1, 5, 7); // not into the saved step: undo must reach the saved state
    EXPECT_EQ(h.count(), 2u);
    EXPECT_NE(h.stateMark(5), merged);
    act(h, c, 1, 5, 0); // no merge id
    EXPECT_EQ(h.count(), 3u);
    h.undo(c);
    h.undo(c);
    EXPECT_TRUE(h.isClean());
    EXPECT_EQ(c.value, 3);
    EXPECT_EQ(h.stateMark(5), merged);
    h.undo(c);
    EXPECT_EQ(c.value, 0);
}

TEST(UndoHistory, KeepsTheLimitAndTheByteBudget) {
    UndoHistory h(10); // raised to the minimum
    EXPECT_EQ(h.limit(), UndoHistory::kMinimumSteps);
    Counter c;
    h.setClean();
    for (int i = 0; i < 300; ++i) {
        act(h, c, 1);
    }
    EXPECT_EQ(h.count(), UndoHistory::kMinimumSteps);
    int undone = 0;
    while (h.undo(c)) {
        ++undone;
    }
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(c.value, 100);
    EXPECT_FALSE(h.isClean()); // the saved state went with the oldest steps

    UndoHistory small(UndoHistory::kMinimumSteps, 250); // 100 bytes a step
    for (int i = 0; i < 5; ++i) {
        act(small, c, 1);
    }
    EXPECT_EQ(small.count(), 2u);
}

TEST(UndoHistory, ForgettingAWindowDropsItsStepsAndKeepsTheCleanState) {
    UndoHistory h;
    Counter c;
    act(h, c, 1);      // project
    act(h, c, 10, -3); // a window without a number
    h.setClean();
    act(h, c, 100, -3);
    act(h, c, 1000, 4);
    EXPECT_NE(h.stateMark(-3), 0u);
    // The window's edits were thrown away (its edits went back to the store's).
    c.value -= 110;
    h.forgetWindow(-3);
    EXPECT_EQ(h.count(), 2u);
    EXPECT_EQ(h.index(), 2u);
    h.undo(c);
    EXPECT_TRUE(h.isClean());
    h.undo(c);
    EXPECT_EQ(c.value, 0);
    EXPECT_EQ(h.stateMark(4), 0u);
}

TEST(UndoHistory, AStepWithNothingLeftIsDroppedAndTheOneBeforeUndone) {
    UndoHistory h;
    Counter c;
    bool gone = false;
    act(h, c, 1);
    act(h, c, 10, -1, 0, &gone);
    gone = true; // its window closed
    EXPECT_TRUE(h.undo(c));
    EXPECT_EQ(c.value, 10);
    EXPECT_EQ(h.count(), 1u);
    EXPECT_FALSE(h.canUndo());
}
