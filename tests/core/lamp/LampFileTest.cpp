#include "lamp/LampFile.h"

#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace dispcraft;
namespace fs = std::filesystem;

namespace {

class LampFileTest : public ::testing::Test {
protected:

    std::string put(const std::string& name, size_t length, uint8_t value = 1) {
        auto path = dir / name;
        std::ofstream out(path, std::ios::binary);
        std::string bytes(length, static_cast<char>(value));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    static LampPicture pattern(int size) {
        LampPicture p = LampPicture::blank(size);
        for (size_t i = 0; i < p.dots.size(); ++i) {
            p.dots[i] = static_cast<uint8_t>(i % 3 == 0);
        }
        return p;
    }

    ScratchDirectory scratch{"lamp-file"};
    fs::path dir = scratch.path();
};

} // namespace

TEST_F(LampFileTest, LengthAloneTellsTheSize) {
    for (size_t length : {0u, 1u, 511u, 513u, 1024u, 2047u, 2049u, 4096u}) {
        auto r = LampFile::read(put("x.lmp", length));
        EXPECT_EQ(r.status, LampFile::ReadStatus::NotALampPicture) << length;
    }
    auto small = LampFile::read(put("a.lmp", 512, 0));
    ASSERT_TRUE(small.ok());
    EXPECT_EQ(small.picture.size, 16);
    EXPECT_EQ(small.picture.dots, std::vector<uint8_t>(512, 0));
    auto large = LampFile::read(put("b.lmp", 2048, 7));
    ASSERT_TRUE(large.ok());
    EXPECT_EQ(large.picture.size, 32);
    EXPECT_EQ(large.picture.dots, std::vector<uint8_t>(2048, 7));

    EXPECT_EQ(LampFile::read((dir / "missing.lmp").string()).status,
              LampFile::ReadStatus::CannotOpen);
    EXPECT_EQ(LampFile::read(dir.string()).status, LampFile::ReadStatus::CannotOpen);
}

TEST_F(LampFileTest, WriteGivesExactlyTheDotsAndReplacesALongerFile) {
    std::string path = put("lamp05_x.lmp", 2048, 9);
    LampPicture p = pattern(16);
    std::string error;
    ASSERT_TRUE(LampFile::write(path, p, &error)) << error;
    EXPECT_EQ(fs::file_size(path), 512u);
    auto back = LampFile::read(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.picture.size, 16);
    EXPECT_EQ(back.picture.dots, p.dots);

    LampPicture q = pattern(32);
    ASSERT_TRUE(LampFile::write(path, q));
    EXPECT_EQ(fs::file_size(path), 2048u);
    EXPECT_EQ(LampFile::read(path).picture.dots, q.dots);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
}

TEST_F(LampFileTest, FailedWritesSayWhyAndKeepWhatWasThere) {
    std::string error;
    EXPECT_FALSE(LampFile::write((dir / "no/such/dir/x.lmp").string(), pattern(16), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(dir / "no"));

    error.clear();
    EXPECT_FALSE(LampFile::write(dir.string(), pattern(16), &error));
    EXPECT_FALSE(error.empty());

    // A picture whose bytes do not match its size is never written.
    std::string path = put("keep.lmp", 2048, 1);
    LampPicture bad = pattern(16);
    bad.dots.pop_back();
    EXPECT_FALSE(LampFile::write(path, bad));
    LampPicture wrongSize = pattern(16);
    wrongSize.size = 20;
    EXPECT_FALSE(LampFile::write(path, wrongSize));
    EXPECT_EQ(fs::file_size(path), 2048u);

    // A file the user made read-only stays as it is (root may write anything, so only check
    // the refusal where the system enforces it).
    ::chmod(path.c_str(), 0444);
    if (::access(path.c_str(), W_OK) != 0) {
        EXPECT_FALSE(LampFile::write(path, pattern(16), &error));
        EXPECT_EQ(fs::file_size(path), 2048u);
    }
}

TEST_F(LampFileTest, WritingThroughALinkReplacesTheFileItNames) {
    std::string real = put("real.lmp", 2048, 1);
    fs::create_symlink(real, dir / "link.lmp");
    ASSERT_TRUE(LampFile::write((dir / "link.lmp").string(), pattern(16)));
    EXPECT_TRUE(fs::is_symlink(dir / "link.lmp"));
    EXPECT_EQ(fs::file_size(real), 512u);
}

TEST(LampPicture, DotAccessIsUprightAndBounded) {
    LampPicture p = LampPicture::blank(16);
    std::fill(p.dots.begin(), p.dots.end(), 1);
    p.dots[0] = 0;             // bottom-left of the first picture
    p.dots[15 * 32 + 31] = 0;  // top-right of the second picture
    EXPECT_TRUE(p.isDark(0, 0, 15));
    EXPECT_TRUE(p.isDark(1, 15, 0));
    EXPECT_FALSE(p.isDark(0, 0, 0));
    EXPECT_FALSE(p.isDark(2, 0, 15));
    EXPECT_FALSE(p.isDark(0, 16, 0));
    EXPECT_EQ(p.at(15, 31), 0);
    EXPECT_EQ(p.at(16, 0), 0);
    EXPECT_EQ(LampPicture::byteCount(16), 512u);
    EXPECT_EQ(LampPicture::byteCount(32), 2048u);
    EXPECT_EQ(LampPicture::byteCount(24), 0u);
    EXPECT_EQ(LampFile::sizeForLength(2048), 32);
}
