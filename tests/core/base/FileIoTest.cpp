#include "base/FileIo.h"
#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

using namespace dispcraft;

// A save takes away the temporary files that killed writers of the same file left, and nothing
// else: not those of a writer still at work, not files that only look alike.
TEST(FileIo, ASaveRemovesWhatKilledWritersOfTheSameFileLeft) {
    ScratchDirectory dir("fileio");
    const std::string dead = dir.write(".p.trn.123.abcDEF", std::string("half"));
    const std::string working = dir.write(".p.trn.456.xyzXYZ", std::string("busy"));
    const std::vector<std::string> alike = {
        dir.write(".p.trn.notes", std::string("x")),      // not ours
        dir.write(".p.trn.12.abc", std::string("x")),     // too short a suffix
        dir.write(".q.trn.123.abcDEF", std::string("x")), // another file's
        dir.write("p.trn.123.abcDEF", std::string("x")),  // not hidden
    };
    int busy = ::open(working.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    ASSERT_TRUE(FileIo::writeAtomic(dir.file("p.trn"), std::string("whole")));
    EXPECT_EQ(FileIo::readText(dir.file("p.trn")), "whole");
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_TRUE(std::filesystem::exists(working));
    for (const std::string& f : alike) {
        EXPECT_TRUE(std::filesystem::exists(f)) << f;
    }
    ::close(busy);
    // Once its writer is gone, the next save takes it too.
    ASSERT_TRUE(FileIo::writeAtomic(dir.file("p.trn"), std::string("again")));
    EXPECT_FALSE(std::filesystem::exists(working));
}
