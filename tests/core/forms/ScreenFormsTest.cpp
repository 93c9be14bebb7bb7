#include "forms/ScreenAssignForm.h"
#include "forms/ScreenManagerForm.h"
#include "model/ProjectStore.h"
#include "text/Gb2312.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;
using M = ScreenManagerForm;

namespace {

std::unique_ptr<ProjectStore> storeWith(std::initializer_list<std::pair<int, const char*>> screens) {
    auto s = std::make_unique<ProjectStore>();
    for (auto [n, name] : screens) {
        s->entries[n].number = static_cast<uint8_t>(n);
        s->entries[n].setName(name);
        s->entries[n].textCount = static_cast<uint8_t>(n); // tells the screens apart
        s->screens[n].textPool = std::string("pool of ") + name;
    }
    return s;
}

FormRunner<ScreenNumberForm> answerNumber(int n) {
    return [n](ScreenNumberForm& f) -> std::optional<ScreenNumberForm::Values> {
        f.fields().number = n;
        auto r = f.ok();
        return r.values;
    };
}

FormRunner<ScreenNumberNameForm> answerNumberName(int n, std::string name) {
    return [n, name](ScreenNumberNameForm& f) -> std::optional<ScreenNumberNameForm::Values> {
        f.fields().number = n;
        f.fields().name = name;
        return f.ok().values;
    };
}

} // namespace

TEST(ScreenAssign, ListsExistingScreensAndChecksTheNumber) {
    auto s = storeWith({{1, "Start"}, {5, "Pumps"}, {12, "Alarms"}});
    s->entries[7].setName("stale"); // number byte 0: no screen
    s->entries[9].number = 3;       // number byte of another slot: no screen either
    ScreenAssignForm f(s->entries);
    ASSERT_EQ(f.rows().size(), 3u);
    EXPECT_EQ(f.rows()[0].id, "1");
    EXPECT_EQ(f.rows()[1].name, "Pumps");
    EXPECT_EQ(f.rows()[2].id, "12");
    EXPECT_EQ(f.fields().number, 1);
    RecordingSink sink;
    for (int bad : {0, 200}) {
        f.fields().number = bad;
        auto r = f.ok(sink);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.message.id, 63525);
    }
    EXPECT_TRUE(sink.asked().empty());
    f.fields().number = 4;
    f.fields().name = "Overview page";
    auto r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->number, 4);
    EXPECT_EQ(r.values->name, "Overview p");
}

TEST(ScreenAssign, ReplacingAnExistingScreenAsksFirst) {
    auto s = storeWith({{5, "Pumps"}});
    ScreenAssignForm f(s->entries);
    RecordingSink sink;
    sink.script({Answer::No, Answer::Yes});
    f.fields().number = 5;
    f.fields().name = "New";
    auto r = f.ok(sink);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.message.empty());
    ASSERT_EQ(sink.asked().size(), 1u);
    EXPECT_EQ(sink.asked()[0], Message::string(63526, {"5"}));
    EXPECT_EQ(s->entries[5].nameString(), "Pumps");
    r = f.ok(sink);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(ScreenAssignForm::assign(*s, *r.values, 0));
    EXPECT_EQ(s->entries[5].nameString(), "New");
    EXPECT_EQ(s->screenOpen[5], 1);
}

TEST(ScreenAssign, AssignBindsTheNumberAndSaveAsReleasesTheOld) {
    auto s = storeWith({{3, "Old"}});
    s->screenOpen[3] = 1;
    ScreenAssignForm::Values v{8, Gb2312::fromUtf8("画面八号画面八号").text}; // 16 bytes
    EXPECT_FALSE(ScreenAssignForm::assign(*s, v, 3));
    EXPECT_EQ(s->entries[8].number, 8);
    EXPECT_EQ(s->entries[8].nameString(), Gb2312::fromUtf8("画面八号画").text); // 10 bytes
    EXPECT_EQ(s->screenOpen[8], 1);
    EXPECT_EQ(s->screenOpen[3], 0);
    EXPECT_TRUE(s->screenExists(3)); // stays as last stored
    // A name cut inside a two-byte character loses that character, never half of it.
    v.name = "abcdefghi" + Gb2312::fromUtf8("画").text;
    ScreenAssignForm::assign(*s, v, 0);
    EXPECT_EQ(s->entries[8].nameString(), "abcdefghi");
}

TEST(ScreenManager, SelectionEnablesButtonsUnlessTheScreenIsOpen) {
    auto s = storeWith({{1, "A"}, {5, "B"}, {12, "C"}});
    s->screenOpen[12] = 1;
    M f(*s);
    EXPECT_FALSE(f.enabled(M::kCopy));
    EXPECT_FALSE(f.enabled(M::kDelete));
    ASSERT_EQ(f.rows().size(), 3u);
    f.select(1);
    EXPECT_EQ(f.fields().chosen, 5);
    EXPECT_TRUE(f.enabled(M::kCopy));
    EXPECT_TRUE(f.enabled(M::kDelete));
    EXPECT_TRUE(f.enabled(M::kOk));
    EXPECT_EQ(f.ok().values->screen, 5);
    f.select(2);
    EXPECT_FALSE(f.enabled(M::kDelete));
    EXPECT_FALSE(f.enabled(M::kOk));
    EXPECT_TRUE(f.enabled(M::kCopy));
    f.fields().chosen = 0;
    EXPECT_EQ(f.ok().message.id, 61602);
    f.fields().chosen = 7;
    EXPECT_EQ(f.ok().message.id, 61603);
    f.fields().chosen = 200;
    EXPECT_EQ(f.ok().message.id, 61603);
}

TEST(ScreenManager, CopyToItselfOrOntoAnExistingScreen) {
    auto s = storeWith({{5, "Five"}, {7, "Seven"}});
    M f(*s);
    RecordingSink sink(Answer::Cancel);
    f.select(0);
    f.copy(sink, answerNumber(5));
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0].id, 63591);
    EXPECT_EQ(s->entries[7].nameString(), "Seven");

    f.copy(sink, answerNumber(7)); // asked, cancelled
    ASSERT_EQ(sink.asked().size(), 1u);
    EXPECT_EQ(sink.asked()[0], Message::string(63590, {"5", "7"}));
    EXPECT_EQ(s->entries[7].nameString(), "Seven");

    sink.script({Answer::Ok});
    f.copy(sink, answerNumber(7));
    EXPECT_EQ(s->entries[7].nameString(), "Five");
    EXPECT_EQ(s->entries[7].number, 7);
    EXPECT_EQ(s->entries[7].textCount, 5);
    EXPECT_EQ(s->screens[7].textPool, "pool of Five");
    EXPECT_EQ(M::reloadFlag(s->entries[7]), 1u); // a window on 7 reloads the copy
    EXPECT_TRUE(s->screenExists(5));

    f.copy(sink, answerNumber(9)); // a free number: no question, no reload
    EXPECT_TRUE(s->screenExists(9));
    EXPECT_EQ(M::reloadFlag(s->entries[9]), 0u);
    EXPECT_EQ(f.rows().size(), 3u);

    size_t shown = sink.shown().size();
    f.copy(sink, answerNumber(0)); // would lose the copy
    EXPECT_EQ(sink.shown().size(), shown + 1);
    EXPECT_EQ(s->entries[0].number, 0);
    f.copy(sink, [](ScreenNumberForm&) { return std::nullopt; });
    EXPECT_EQ(sink.shown().size(), shown + 1);
}

TEST(ScreenManager, RenameAndRenumber) {
    auto s = storeWith({{5, "Five"}, {7, "Seven"}});
    M f(*s);
    RecordingSink sink(Answer::Ok);
    f.select(0);
    f.renumber(sink, answerNumberName(5, "ABCDEFGHIJ"));
    EXPECT_EQ(s->entries[5].nameString(), "ABCDEFGHIJ");
    EXPECT_TRUE(f.treesChanged());

    f.renumber(sink, answerNumberName(20, "Moved"));
    EXPECT_FALSE(s->screenExists(5));
    ASSERT_TRUE(s->screenExists(20));
    EXPECT_EQ(s->entries[20].nameString(), "Moved");
    EXPECT_EQ(s->screens[20].textPool, "pool of Five");
    EXPECT_TRUE(sink.asked().empty());

    f.select(1); // screen 20 now
    EXPECT_EQ(f.fields().chosen, 20);
    sink.script({Answer::Cancel});
    f.renumber(sink, answerNumberName(7, "X"));
    ASSERT_EQ(sink.asked().size(), 1u);
    EXPECT_EQ(sink.asked()[0], Message::string(61604, {"20", "7"}));
    EXPECT_EQ(s->entries[7].nameString(), "Seven");
    EXPECT_TRUE(s->screenExists(20));
}

TEST(ScreenManager, DeleteAsksAndClearsTheEntry) {
    auto s = storeWith({{5, "Five"}});
    M f(*s);
    RecordingSink sink(Answer::Cancel);
    f.select(0);
    f.remove(sink);
    EXPECT_EQ(sink.asked().at(0), Message::string(63589, {"5"}));
    EXPECT_TRUE(s->screenExists(5));
    sink.script({Answer::Ok});
    f.remove(sink);
    EXPECT_FALSE(s->screenExists(5));
    EXPECT_EQ(s->entries[5].name[0], 0);
    EXPECT_TRUE(f.rows().empty());
    f.fields().chosen = 200; // beyond the directory: nothing asked
    size_t asked = sink.asked().size();
    f.remove(sink);
    EXPECT_EQ(sink.asked().size(), asked);

    // A typed number of a screen open in a window is refused without the question.
    s->entries[6].number = 6;
    s->screenOpen[6] = 1;
    f.fields().chosen = 6;
    sink.script({Answer::Ok});
    f.remove(sink);
    EXPECT_EQ(sink.asked().size(), asked);
    EXPECT_EQ(sink.shown().back(), Message::string(65500, {"6"}));
    EXPECT_TRUE(s->screenExists(6));
}
