// Recovery copies: written while work is unsaved, never over the project file, gone once it is
// saved or closed, and offered and restored after a program ended without either.
#include "../forms/LinkFormsTestSupport.h"

#include "base/FileIo.h"
#include "base/RecordingSink.h"
#include "base/ScratchDirectory.h"
#include "document/DocumentMessages.h"
#include "document/ProjectDocument.h"
#include "document/ProjectEditors.h"
#include "document/RecoveryCopies.h"
#include "model/ProjectStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace dispcraft;

namespace {

unsigned permissions(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

RecoveryCopy about(const std::string& project, int64_t saved, std::vector<int> screens = {}) {
    RecoveryCopy c;
    c.projectPath = project;
    c.savedAt = saved;
    c.openScreens = std::move(screens);
    return c;
}

// Editors with one changed screen window, which packs screen 3 into a copy.
struct OneChangedEditor : ProjectEditors {
    bool dirty = false;
    bool anyModified() const override { return dirty; }
    void storeAll() override { dirty = false; }
    void closeAll() override { dirty = false; }
    void storeAllInto(ProjectStore& copy) const override {
        if (dirty) {
            copy.entries[3].number = 3;
            copy.entries[3].setName("unsaved");
            copy.screenOpen[3] = 1;
        }
    }
};

struct Program {
    test::SettingsScratch scratch{"recovery"};
    RecordingSink sink;
    OneChangedEditor editors;
    std::unique_ptr<ProjectDocument> doc;
    std::string recovery = scratch.path() + "/state/dispcraft/recovery";

    Program() {
        test::writeLinkProgramDir(scratch);
        start();
    }
    // The program starts (again): a new document on the same recovery directory.
    void start() {
        doc = std::make_unique<ProjectDocument>(ProgramDirectory(scratch.path()), sink);
        doc->setEditors(&editors);
        doc->setRecoveryDirectory(recovery);
        doc->setSavePathChooser([](const std::string&) { return std::string(); });
    }
    std::string file(const std::string& name) const { return scratch.path() + "/" + name; }
    void newProject() {
        ASSERT_TRUE(doc->newProject([](ModelLinkForm& f) -> std::optional<ModelLinkForm::Values> {
            RecordingSink inner;
            f.fields().model = 1;
            f.modelChanged(inner);
            return f.ok(inner).values;
        }));
    }
    size_t copies() const {
        size_t n = 0;
        if (std::filesystem::exists(recovery)) {
            for (const auto& e : std::filesystem::directory_iterator(recovery)) {
                n += e.path().extension() == ".info" ? 1 : 0;
            }
        }
        return n;
    }
};

} // namespace

TEST(RecoveryCopies, OnlyCopiesOfEndedProgramsAreOfferedNewestFirstAndKeptPrivate) {
    ScratchDirectory dir("recovery-copies");
    const std::string where = dir.file("a/b/recovery");
    std::string why;
    auto older = std::make_unique<RecoveryCopies>(where, "older");
    ASSERT_TRUE(older->write("OLD", about("/p/old.trn", 100, {1, 3}), &why)) << why;
    auto newer = std::make_unique<RecoveryCopies>(where, "newer");
    ASSERT_TRUE(newer->write("NEW", about("", 200), &why)) << why;
    RecoveryCopies running(where, "running");
    ASSERT_TRUE(running.write("RUN", about("/p/run.trn", 300), &why)) << why;
    EXPECT_EQ(permissions(where), 0700u);
    EXPECT_EQ(permissions(dir.file("a")), 0700u);
    EXPECT_EQ(permissions(where + "/older.trn"), 0600u);
    EXPECT_EQ(permissions(where + "/older.info"), 0600u);

    // Two programs end without removing their copies; one still runs.
    older.reset();
    newer.reset();
    RecoveryCopies starting(where, "starting");
    std::vector<RecoveryCopy> found = starting.orphans();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].id, "newer");
    EXPECT_EQ(found[1].projectPath, "/p/old.trn");
    EXPECT_EQ(found[1].openScreens, (std::vector<int>{1, 3}));
    EXPECT_EQ(FileIo::readText(found[1].copyPath), std::string("OLD"));
    // While one program looks at them, another does not offer them too.
    EXPECT_TRUE(RecoveryCopies(where, "third").orphans().empty());
    // Once it lets go of them, another program can.
    starting.release();
    EXPECT_EQ(RecoveryCopies(where, "third").orphans().size(), 2u);
    found = starting.orphans();
    ASSERT_EQ(found.size(), 2u);

    starting.discard(found[0]);
    EXPECT_FALSE(FileIo::exists(where + "/newer.trn"));
    EXPECT_EQ(starting.orphans().size(), 1u);
    // A program removes its own copy when its work is saved.
    running.remove();
    EXPECT_FALSE(FileIo::exists(where + "/running.info"));
    EXPECT_FALSE(running.hasCopy());

    // Descriptions survive any path; a text that is none is refused.
    RecoveryCopy odd;
    ASSERT_TRUE(
        RecoveryCopies::parse(RecoveryCopies::describe(about("/a\\b\nc=d", 5, {199})), odd));
    EXPECT_EQ(odd.projectPath, "/a\\b\nc=d");
    EXPECT_EQ(odd.openScreens, std::vector<int>{199});
    EXPECT_FALSE(RecoveryCopies::parse("project=/x\nsaved=soon\n", odd));
}

TEST(Recovery, CopiesFollowUnsavedWorkAndNeverTouchTheProjectFile) {
    Program p;
    p.newProject();
    // Nothing unsaved: no copy.
    EXPECT_FALSE(p.doc->writeRecoveryCopy());
    EXPECT_EQ(p.copies(), 0u);

    p.doc->store().projectPath = p.file("mine.trn");
    ASSERT_TRUE(FileIo::writeAtomic(p.file("mine.trn"), std::string("the user's file")));
    p.editors.dirty = true;
    EXPECT_FALSE(p.doc->writeRecoveryCopy());
    ASSERT_EQ(p.copies(), 1u);
    EXPECT_EQ(FileIo::readText(p.file("mine.trn")), std::string("the user's file"));
    // The editor stored into the copy only; the copy names its window's screen.
    EXPECT_FALSE(p.doc->store().screenExists(3));
    EXPECT_TRUE(p.editors.dirty);
    RecoveryCopies other(p.recovery, "other");
    p.doc.reset(); // as if killed
    std::vector<RecoveryCopy> left = other.orphans();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].openScreens, std::vector<int>{3});
    EXPECT_EQ(left[0].projectPath, p.file("mine.trn"));
    auto copy = std::make_unique<ProjectStore>();
    ASSERT_TRUE(TrnReader::load(*copy, left[0].copyPath).ok);
    EXPECT_EQ(copy->entries[3].nameString(), "unsaved");
    other.discard(left[0]);
    p.start();
    p.newProject();
    p.doc->store().projectPath = p.file("mine.trn");
    p.editors.dirty = true;

    // Saved: the copy goes. Unsaved again, then closed without saving: it goes as well.
    ASSERT_TRUE(p.doc->save());
    EXPECT_EQ(p.copies(), 0u);
    p.editors.dirty = true;
    p.doc->writeRecoveryCopy();
    EXPECT_EQ(p.copies(), 1u);
    p.sink.script({Answer::No});
    ASSERT_TRUE(p.doc->close());
    EXPECT_EQ(p.copies(), 0u);
}

TEST(Recovery, AKilledProgramsWorkIsOfferedAndOpensUntitledAndUnsaved) {
    Program p;
    p.newProject();
    p.doc->store().projectPath = p.file("mine.trn");
    p.editors.dirty = true;
    ASSERT_FALSE(p.doc->writeRecoveryCopy());

    // Killed: nothing removes the copy. The next start offers it; No throws it away.
    p.start();
    p.sink.script({Answer::No});
    EXPECT_FALSE(p.doc->offerRecovery());
    ASSERT_EQ(p.sink.asked().size(), 1u);
    EXPECT_EQ(p.sink.asked()[0].id, docmsg::kRestoreQuestion);
    EXPECT_EQ(p.sink.asked()[0].args[0], "mine.trn");
    EXPECT_EQ(p.copies(), 0u);

    // Yes: the work is back, untitled and unsaved; Save starts at its own file, and the restored
    // work is at once this program's copy.
    p.start();
    p.newProject();
    p.doc->store().projectPath = p.file("mine.trn");
    p.doc->store().projectBlock.startScreen = 7; // a change outside the editors
    p.doc->markModified();
    p.editors.dirty = true; // and a screen window
    ASSERT_FALSE(p.doc->writeRecoveryCopy());
    p.start();
    p.editors.dirty = false;
    p.sink.clear();
    p.sink.script({Answer::Yes});
    std::optional<std::vector<int>> screens = p.doc->offerRecovery();
    ASSERT_TRUE(screens);
    EXPECT_EQ(*screens, std::vector<int>{3});
    EXPECT_TRUE(p.doc->store().screenExists(3));
    EXPECT_TRUE(p.doc->isOpen());
    EXPECT_TRUE(p.doc->path().empty());
    EXPECT_TRUE(p.doc->modified());
    EXPECT_EQ(p.doc->store().projectBlock.startScreen, 7);
    EXPECT_EQ(p.doc->saveSuggestion(), p.file("mine.trn"));
    EXPECT_FALSE(FileIo::exists(p.file("mine.trn")));
    EXPECT_EQ(p.copies(), 1u);
    EXPECT_TRUE(p.doc->recoveryCopies()->hasCopy());

    // A copy that cannot be opened is reported and offered no more, but its file stays.
    p.doc.reset();
    {
        RecoveryCopies broken(p.recovery, "broken");
        std::string why;
        ASSERT_TRUE(broken.write("not a project", about(p.file("old.trn"), 50), &why)) << why;
    }
    p.start();
    p.sink.clear();
    p.sink.script({Answer::No, Answer::Yes}); // newest first: the restored work's copy, then it
    EXPECT_FALSE(p.doc->offerRecovery());
    ASSERT_EQ(p.sink.shown().size(), 1u);
    EXPECT_EQ(p.sink.shown()[0].id, docmsg::kRestoreFailed);
    EXPECT_EQ(p.sink.shown()[0].args[2], p.recovery + "/broken.trn");
    EXPECT_EQ(FileIo::readText(p.recovery + "/broken.trn"), std::string("not a project"));
    EXPECT_FALSE(p.doc->isOpen());
    EXPECT_EQ(p.copies(), 0u);
}
