#include "base/BmpHeader.h"
#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace dispcraft;

namespace {

std::vector<uint8_t> header(uint32_t infoSize, size_t length) {
    std::vector<uint8_t> b(length, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[10] = static_cast<uint8_t>(14 + infoSize + 8); // after a two-entry table
    b[14] = static_cast<uint8_t>(infoSize);
    return b;
}

} // namespace

TEST(BmpHeader, TellsTheLayoutsApartAndReadsOnlyWhatIsThere) {
    EXPECT_FALSE(BmpHeader::parse(nullptr, 0));
    const uint8_t notBmp[] = {'M', 'B', 0, 0};
    EXPECT_FALSE(BmpHeader::parse(notBmp, sizeof notBmp));

    // The old core header: 16-bit width and height, its own place for the bit count.
    auto core = header(12, 40);
    core[18] = 10;
    core[20] = 0xFE; // height -2: top-down
    core[21] = 0xFF;
    core[24] = 1;
    auto c = BmpHeader::parse(core.data(), core.size());
    ASSERT_TRUE(c);
    EXPECT_EQ(c->layout(), BmpHeader::Layout::Core);
    EXPECT_EQ(c->width(), 10);
    EXPECT_TRUE(c->topDown());
    EXPECT_EQ(c->rows(), 2);
    EXPECT_EQ(c->bitCount(), 1);
    EXPECT_EQ(c->colourEntrySize(), 3u);
    EXPECT_EQ(c->stride(), 4u);

    // A 124-byte header cut after its first 40 bytes is still read; shorter is missing.
    for (uint32_t size : {40u, 108u, 124u}) {
        auto info = header(size, 54);
        info[28] = 1;
        auto h = BmpHeader::parse(info.data(), info.size());
        ASSERT_TRUE(h);
        EXPECT_EQ(h->layout(), BmpHeader::Layout::Info) << size;
        EXPECT_EQ(h->colourTableOffset(), 14u + size);
        // The colour table lies beyond the data: none is read.
        EXPECT_FALSE(h->colour(info.data(), info.size(), 0));
        EXPECT_FALSE(h->lightFirst(info.data(), info.size()));
    }
    auto cut = header(40, 53);
    EXPECT_EQ(BmpHeader::parse(cut.data(), cut.size())->layout(), BmpHeader::Layout::Missing);
    auto odd = header(20, 54);
    EXPECT_EQ(BmpHeader::parse(odd.data(), odd.size())->layout(), BmpHeader::Layout::Unknown);
}

TEST(BmpHeader, ATableThatListsTheLighterColourFirstIsToldApart) {
    auto b = header(40, 70);
    b[54 + 0] = b[54 + 1] = b[54 + 2] = 200; // light grey
    b[58 + 2] = 90;                          // dark red
    auto h = BmpHeader::parse(b.data(), b.size());
    ASSERT_TRUE(h);
    EXPECT_TRUE(h->lightFirst(b.data(), b.size()));
    b[54 + 0] = b[54 + 1] = b[54 + 2] = 0;
    EXPECT_FALSE(h->lightFirst(b.data(), b.size()));
    // Entries that overlap the pixel data are no table.
    b[10] = 58;
    b[54 + 0] = b[54 + 1] = b[54 + 2] = 200;
    h = BmpHeader::parse(b.data(), b.size());
    EXPECT_FALSE(h->lightFirst(b.data(), b.size()));
}

TEST(ScratchDirectory, IsOwnAndGoesWithItsFiles) {
    std::string first;
    {
        ScratchDirectory a("scratch-test");
        ScratchDirectory b("scratch-test");
        ASSERT_TRUE(a.ok()) << a.error();
        EXPECT_NE(a.path(), b.path());
        EXPECT_EQ(a.write("deep/er/file.bin", std::string("abc")), a.file("deep/er/file.bin"));
        EXPECT_EQ(std::filesystem::file_size(a.file("deep/er/file.bin")), 3u);
        first = a.path();
        // A moved directory is removed once, by its new owner.
        ScratchDirectory moved = std::move(a);
        EXPECT_EQ(moved.path(), first);
        EXPECT_TRUE(a.path().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(first));
}
