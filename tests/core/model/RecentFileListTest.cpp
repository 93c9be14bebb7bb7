#include "model/FileIo.h"
#include "model/RecentFileList.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace dispcraft;

namespace {

const std::string kSentinel = "(none)";

std::string tempSettings() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "recentXXXXXX").string();
    return std::string(::mkdtemp(tmpl.data())) + "/qel.ini";
}

} // namespace

TEST(RecentFileList, UpdateMovesOrInsertsThePathFirst) {
    RecentFileList::Entries e{"a", "b", "c", "d"};
    RecentFileList::update(e, "c"); // found: the ones before it move down
    EXPECT_EQ(e, (RecentFileList::Entries{"c", "a", "b", "d"}));
    RecentFileList::update(e, "c");
    EXPECT_EQ(e, (RecentFileList::Entries{"c", "a", "b", "d"}));
    RecentFileList::update(e, "x"); // not found: the fourth is dropped
    EXPECT_EQ(e, (RecentFileList::Entries{"x", "c", "a", "b"}));
    RecentFileList::update(e, "B"); // case-sensitive
    EXPECT_EQ(e, (RecentFileList::Entries{"B", "x", "c", "a"}));
    RecentFileList::update(e, ""); // an untitled project changes nothing
    EXPECT_EQ(e, (RecentFileList::Entries{"B", "x", "c", "a"}));
}

TEST(RecentFileList, ReadsSentinelsAndWritesItsSectionBack) {
    std::string path = tempSettings();
    EXPECT_EQ(RecentFileList::read(path, kSentinel),
              (RecentFileList::Entries{kSentinel, kSentinel, kSentinel, kSentinel}));

    ASSERT_TRUE(FileIo::writeAtomic(path, std::string("[language]\r\nlan=ZOZUDEDevo.dll\r\n"
                                                      "[LastFile]\r\nfile1=/p/one.trn\r\nfile2=\r\n")));
    auto e = RecentFileList::read(path, kSentinel);
    EXPECT_EQ(e, (RecentFileList::Entries{"/p/one.trn", kSentinel, kSentinel, kSentinel}));

    // A long path comes back whole.
    std::string deep = "/home/engineer/" + std::string(180, 'd') + "/line 3.trn";
    ASSERT_TRUE(RecentFileList::updateAndWrite(path, e, deep));
    auto again = RecentFileList::read(path, kSentinel);
    EXPECT_EQ(again, (RecentFileList::Entries{deep, "/p/one.trn", kSentinel, kSentinel}));
    auto text = FileIo::readText(path);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("lan=ZOZUDEDevo.dll"), std::string::npos); // the rest is kept
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
}
