// The project flows with their questions: what each answer keeps, writes or throws away.
#include "../forms/LinkFormsTestSupport.h"

#include "base/FileIo.h"
#include "base/RecordingSink.h"
#include "config/SettingsFile.h"
#include "document/DocumentMessages.h"
#include "document/ProjectDocument.h"
#include "document/ProjectEditors.h"
#include "model/ProjectStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace dispcraft;

namespace {

// Open editors with one flag: changes not stored yet. Storing clears it unless refused (a
// screen number dialog cancelled).
struct FakeEditors : ProjectEditors {
    bool dirty = false;
    bool refuseStore = false;
    int stored = 0;
    int closed = 0;
    bool anyModified() const override { return dirty; }
    void storeAll() override {
        ++stored;
        dirty = dirty && refuseStore;
    }
    void closeAll() override {
        ++closed;
        dirty = false;
    }
};

std::string readFile(const std::string& path) {
    return FileIo::readText(path).value_or(std::string());
}

int count(const std::vector<Message>& list, int id) {
    int n = 0;
    for (const Message& m : list) {
        n += m.id == id ? 1 : 0;
    }
    return n;
}

struct Doc {
    test::SettingsScratch scratch{"document"};
    RecordingSink sink;
    FakeEditors editors;
    SettingsFile settings{scratch.path() + "/qel.ini"};
    std::unique_ptr<ProjectDocument> doc;
    std::vector<std::string> chosen; // answers of the save file dialog, then cancel
    int replaced = 0;

    Doc() {
        test::writeLinkProgramDir(scratch);
        doc = std::make_unique<ProjectDocument>(ProgramDirectory(scratch.path()), sink);
        doc->setEditors(&editors);
        doc->setRecentFileStore(&settings, "(none)");
        doc->store().recentFiles.fill("(none)");
        doc->setReplacedListener([this] { ++replaced; });
        doc->setSavePathChooser([this](const std::string&) {
            if (chosen.empty()) {
                return std::string();
            }
            std::string p = chosen.front();
            chosen.erase(chosen.begin());
            return p;
        });
    }
    std::string file(const std::string& name) const { return scratch.path() + "/" + name; }
    // A new two-port project, left with unsaved changes in an editor.
    void newProject() {
        ASSERT_TRUE(doc->newProject([](ModelLinkForm& f) -> std::optional<ModelLinkForm::Values> {
            RecordingSink inner;
            f.fields().model = 1;
            f.modelChanged(inner);
            return f.ok(inner).values;
        }));
        editors.dirty = true;
        sink.clear();
    }
};

} // namespace

TEST(ProjectDocument, ModifiedFollowsTheStoreAndTheEditors) {
    Doc d;
    EXPECT_FALSE(d.doc->modified());
    d.editors.dirty = true;
    EXPECT_TRUE(d.doc->modified());
    d.editors.dirty = false;
    d.doc->markModified();
    EXPECT_TRUE(d.doc->modified());
    d.doc->setEditors(nullptr);
    EXPECT_TRUE(d.doc->modified());
}

TEST(ProjectDocument, CloseAnswers) {
    Doc d;
    d.newProject();
    EXPECT_EQ(d.doc->store().cpuId, 2);
    // Cancel: nothing happens.
    d.sink.script({Answer::Cancel});
    EXPECT_FALSE(d.doc->close());
    EXPECT_EQ(count(d.sink.asked(), docmsg::kSaveChanges), 1);
    EXPECT_TRUE(d.doc->isOpen());
    EXPECT_EQ(d.editors.closed, 0);
    // Yes on an untitled project, its file choice cancelled: the editors stored, nothing
    // written, the project stays open with its changes.
    d.sink.script({Answer::Yes});
    EXPECT_FALSE(d.doc->close());
    EXPECT_TRUE(d.doc->isOpen());
    EXPECT_TRUE(d.doc->modified());
    // Yes with a file: written, then closed, and the path heads the recent list.
    d.editors.dirty = true;
    d.chosen = {d.file("closed")};
    d.sink.script({Answer::Yes});
    EXPECT_TRUE(d.doc->close());
    EXPECT_TRUE(std::filesystem::exists(d.file("closed.trn")));
    EXPECT_FALSE(d.doc->isOpen());
    EXPECT_EQ(d.editors.closed, 1);
    EXPECT_EQ(d.doc->recentPath(1), d.file("closed.trn"));
    EXPECT_EQ(d.doc->recentPath(2), "");
    // No: closed without writing.
    d.newProject();
    d.sink.script({Answer::No});
    EXPECT_TRUE(d.doc->close());
    EXPECT_FALSE(d.doc->isOpen());
    EXPECT_TRUE(d.doc->path().empty());
}

TEST(ProjectDocument, FailedSaveKeepsTheChanges) {
    Doc d;
    d.newProject();
    // An editor whose number was not given stays unsaved: closing stops after the save.
    d.editors.refuseStore = true;
    d.chosen = {d.file("kept.trn")};
    d.sink.script({Answer::Yes});
    EXPECT_FALSE(d.doc->close());
    EXPECT_TRUE(d.doc->isOpen());
    d.editors.refuseStore = false;
    d.editors.dirty = true;
    // A file that cannot be written: 61561, still modified, the path as it was.
    d.sink.clear();
    d.chosen = {d.file("no/such/dir/x.trn")};
    EXPECT_FALSE(d.doc->saveAs());
    EXPECT_EQ(count(d.sink.shown(), 61561), 1);
    EXPECT_EQ(d.doc->path(), d.file("kept.trn"));
    d.doc->markModified();
    EXPECT_FALSE(d.doc->saveAs());
    EXPECT_TRUE(d.doc->modified());
    // The program's close question: Yes with a failing save keeps the program running.
    std::filesystem::permissions(d.file("kept.trn"), std::filesystem::perms::owner_read);
    std::filesystem::permissions(d.scratch.path(), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_exec);
    d.sink.script({Answer::Yes});
    const bool exits = d.doc->confirmExit();
    std::filesystem::permissions(d.scratch.path(), std::filesystem::perms::owner_all);
    std::filesystem::permissions(d.file("kept.trn"), std::filesystem::perms::owner_all);
    if (::geteuid() != 0) { // root writes anyway
        EXPECT_FALSE(exits);
        EXPECT_TRUE(d.doc->modified());
    }
    // No lets the program end; unchanged, it asks OK / Cancel instead.
    d.sink.script({Answer::No});
    EXPECT_TRUE(d.doc->confirmExit());
    EXPECT_TRUE(d.doc->save());
    d.sink.clear();
    d.sink.script({Answer::Cancel});
    EXPECT_FALSE(d.doc->confirmExit());
    EXPECT_EQ(count(d.sink.asked(), docmsg::kExit), 1);
}

TEST(ProjectDocument, CancelledOpenKeepsTheProject) {
    Doc d;
    d.newProject();
    d.chosen = {d.file("other.trn")};
    ASSERT_TRUE(d.doc->save());
    d.doc->store().entries[3].number = 3;
    d.doc->markModified();
    // Cancel at 61579: the project stays as it is, changes and all.
    d.sink.script({Answer::Cancel});
    EXPECT_FALSE(d.doc->open(d.file("other.trn")));
    EXPECT_EQ(count(d.sink.asked(), docmsg::kSaveBeforeOpening), 1);
    EXPECT_TRUE(d.doc->store().screenExists(3));
    EXPECT_EQ(d.editors.closed, 0);
    // No: the file as saved opens.
    d.sink.script({Answer::No});
    const int before = d.replaced;
    EXPECT_TRUE(d.doc->open(d.file("other.trn")));
    EXPECT_FALSE(d.doc->store().screenExists(3));
    EXPECT_FALSE(d.doc->modified());
    EXPECT_EQ(d.replaced, before + 1);
    // A file that does not open leaves no project and says so.
    EXPECT_FALSE(d.doc->open(d.file("missing.trn")));
    EXPECT_EQ(count(d.sink.shown(), 61580), 1);
    EXPECT_FALSE(d.doc->isOpen());
}

TEST(ProjectDocument, SaveNames) {
    Doc d;
    RecordingSink& sink = d.sink;
    // Save adds ".trn" to a name without an extension; save as to any other extension than
    // ".trn" in any case.
    EXPECT_EQ(ProjectDocument::withProjectExtension("/p/plain", false, sink), "/p/plain.trn");
    EXPECT_EQ(ProjectDocument::withProjectExtension("/p/notes.txt", false, sink), "/p/notes.txt");
    EXPECT_EQ(ProjectDocument::withProjectExtension("/p/notes.txt", true, sink),
              "/p/notes.txt.trn");
    EXPECT_EQ(ProjectDocument::withProjectExtension("/p/UPPER.TRN", true, sink), "/p/UPPER.TRN");
    EXPECT_EQ(ProjectDocument::withProjectExtension("/p.d/plain", false, sink), "/p.d/plain.trn");
    EXPECT_TRUE(sink.asked().empty());
    // The name with the extension exists: asked; No writes nothing.
    d.scratch.write("taken.trn", "x");
    sink.script({Answer::No});
    EXPECT_EQ(ProjectDocument::withProjectExtension(d.file("taken"), false, sink), "");
    EXPECT_EQ(count(sink.asked(), docmsg::kOverwrite), 1);
    sink.script({Answer::Yes});
    EXPECT_EQ(ProjectDocument::withProjectExtension(d.file("taken"), false, sink),
              d.file("taken.trn"));
}

TEST(ProjectDocument, SavingPutsThePathFirstInTheRecentList) {
    Doc d;
    d.newProject();
    d.chosen = {d.file("a.trn")};
    ASSERT_TRUE(d.doc->save());
    // Written to the settings file at once, unset entries empty.
    SettingsFile::RecentFiles read = d.settings.recentFiles("(none)");
    EXPECT_EQ(read[0], d.file("a.trn"));
    EXPECT_EQ(read[1], "(none)");
    EXPECT_NE(readFile(d.file("qel.ini")).find("file2=\r\n"), std::string::npos);
    d.chosen = {d.file("b.trn")};
    ASSERT_TRUE(d.doc->saveAs());
    EXPECT_EQ(d.doc->recentPath(1), d.file("b.trn"));
    EXPECT_EQ(d.doc->recentPath(2), d.file("a.trn"));
}
