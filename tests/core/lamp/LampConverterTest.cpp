#include "lamp/LampConverter.h"

#include "core/lamp/TestBmp.h"

#include "base/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace dispcraft;
using dispcraft::testing::TestBmp;
using Error = LampConverter::Error;

namespace {

// Every dot of the picture as a string of '0'/'1', one line per row from row 0 (bottom) up.
std::string rowText(const LampPicture& p, int row) {
    std::string s;
    for (int c = 0; c < p.width(); ++c) {
        s += static_cast<char>('0' + p.at(row, c));
    }
    return s;
}

} // namespace

TEST(LampConverter, PaintProgramBitmapGivesBothHalvesRowByRow) {
    // Left half black (index 0), right half white (index 1).
    TestBmp bmp;
    bmp.bit = [](int x, int) { return x >= 16; };
    auto bytes = bmp.bytes();
    ASSERT_EQ(bytes.size(), 62u + 16 * 4);
    auto r = LampConverter::convert(bytes, 16);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.picture.size, 16);
    ASSERT_EQ(r.picture.dots.size(), 512u);
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ(rowText(r.picture, row), std::string(16, '0') + std::string(16, '1')) << row;
    }
}

TEST(LampConverter, RowsRunFromTheBottomAndBitsFromTheLeft) {
    for (int size : {16, 32}) {
        // Top row black, the rest white.
        TestBmp bmp;
        bmp.width = 2 * size;
        bmp.height = size;
        bmp.bit = [](int, int y) { return y != 0; };
        auto r = LampConverter::convert(bmp.bytes(), size);
        ASSERT_TRUE(r.ok()) << size;
        ASSERT_EQ(r.picture.dots.size(), static_cast<size_t>(2 * size * size));
        size_t lastRow = static_cast<size_t>((size - 1) * 2 * size);
        for (size_t i = 0; i < r.picture.dots.size(); ++i) {
            ASSERT_EQ(r.picture.dots[i], i >= lastRow ? 0 : 1) << size << " at " << i;
        }
        EXPECT_TRUE(r.picture.isDark(0, 0, 0));
        EXPECT_FALSE(r.picture.isDark(1, 0, 1));
    }
    // A single dot at the image's bottom left and one at the top right of the second half.
    TestBmp bmp;
    bmp.bit = [](int x, int y) { return (x == 0 && y == 15) || (x == 31 && y == 0); };
    auto r = LampConverter::convert(bmp.bytes(), 16);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rowText(r.picture, 0), "1" + std::string(31, '0'));
    EXPECT_EQ(rowText(r.picture, 15), std::string(31, '0') + "1");
}

TEST(LampConverter, BlackIsADarkDotWhateverTheColourTableOrder) {
    // The same picture stored both ways round: black as index 0, and white as index 0 with
    // every bit inverted (as ImageMagick writes when the first pixel is white).
    TestBmp blackFirst;
    blackFirst.bit = [](int x, int y) { return (x + y) % 3 == 0; };
    TestBmp whiteFirst = blackFirst;
    whiteFirst.whiteFirst = true;
    whiteFirst.bit = [](int x, int y) { return (x + y) % 3 != 0; };
    auto a = LampConverter::convert(blackFirst.bytes(), 16);
    auto b = LampConverter::convert(whiteFirst.bytes(), 16);
    ASSERT_TRUE(a.ok());
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(a.picture.dots, b.picture.dots);
    EXPECT_EQ(a.picture.dots[0], 1); // (0, 15): white in the picture, a background dot
}

// Bitmaps as ImageMagick writes them (GIMP writes the same headers): the 40-byte header, the
// 108-byte one and the 124-byte one, each with white first in its colour table.
TEST(LampConverter, ReadsTheBitmapsOfTodaysToolsAlike) {
    auto convert = [](const char* name) {
        auto r = LampConverter::convertFile(std::string(DISPCRAFT_TEST_DATA_DIR) + "/bmp/" + name, 16);
        EXPECT_TRUE(r.ok()) << name << ": " << r.message();
        return r.picture.dots;
    };
    const auto classic = convert("lamp16-40.bmp");
    EXPECT_EQ(convert("lamp16-108.bmp"), classic);
    EXPECT_EQ(convert("lamp16-124.bmp"), classic);
    ASSERT_EQ(classic.size(), 512u);
    // Left picture: a black square with a white ring in it; right: a black disc on white.
    auto dot = [&](int x, int yFromTop) { return classic[static_cast<size_t>((15 - yFromTop) * 32 + x)]; };
    EXPECT_EQ(dot(0, 0), 0);
    EXPECT_EQ(dot(7, 7), 1);
    EXPECT_EQ(dot(16, 0), 1);
    EXPECT_EQ(dot(23, 7), 0);
    // A bitmap of one colour: all background, not all dark.
    EXPECT_EQ(convert("white-108.bmp"), std::vector<uint8_t>(512, 1));
    // A two-colour bitmap stored with 32 bits a dot is still a colour bitmap.
    EXPECT_EQ(LampConverter::convertFile(std::string(DISPCRAFT_TEST_DATA_DIR) + "/bmp/colour-124.bmp", 16).error,
              Error::NotMonochrome);
}

TEST(LampConverter, RefusalsComeInOrderWithTheirMessages) {
    TestBmp good;
    // Not "BM" wins over everything else.
    auto notBmp = TestBmp{.bitCount = 24}.bytes();
    notBmp[0] = 'M';
    notBmp[1] = 'B';
    notBmp.push_back(0);
    EXPECT_EQ(LampConverter::convert(notBmp, 16).error, Error::NotBmp);
    EXPECT_EQ(LampConverter::convert(std::vector<uint8_t>{}, 16).error, Error::NotBmp);
    EXPECT_EQ(LampConverter::convert(std::vector<uint8_t>{'B'}, 16).error, Error::NotBmp);

    // bfSize one byte more than the file, or one less, before the bit count is looked at.
    for (int delta : {+1, -1}) {
        auto b = TestBmp{.bitCount = 24}.bytes();
        uint32_t size = static_cast<uint32_t>(static_cast<int>(b.size()) + delta);
        b[2] = size & 0xff;
        b[3] = (size >> 8) & 0xff;
        EXPECT_EQ(LampConverter::convert(b, 16).error, Error::Damaged) << delta;
    }
    // Headers cut short: "BM" alone, and a file header whose bfSize matches but no info header.
    EXPECT_EQ(LampConverter::convert(std::vector<uint8_t>{'B', 'M'}, 16).error, Error::Damaged);
    std::vector<uint8_t> shortFile = {'B', 'M', 20, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
                                      40,  0,   0,  0, 1, 0};
    EXPECT_EQ(LampConverter::convert(shortFile, 16).error, Error::Damaged);

    for (uint16_t bits : {4, 8, 24, 32}) {
        EXPECT_EQ(LampConverter::convert(TestBmp{.bitCount = bits}.bytes(), 16).error,
                  Error::NotMonochrome)
            << bits;
    }
    // A header of no known kind is refused after the bit count (a 24-bit one still gets that
    // message); the longer ones that extend the 40-byte header are read.
    EXPECT_EQ(LampConverter::convert(TestBmp{.headerSize = 20}.bytes(), 16).error,
              Error::HeaderFormat);
    EXPECT_EQ(LampConverter::convert(TestBmp{.bitCount = 24, .headerSize = 20}.bytes(), 16).error,
              Error::NotMonochrome);
    EXPECT_TRUE(LampConverter::convert(TestBmp{.headerSize = 124}.bytes(), 16).ok());
    EXPECT_EQ(LampConverter::convert(TestBmp{.compression = 1}.bytes(), 16).error,
              Error::Compressed);
    EXPECT_EQ(LampConverter::convert(good.bytes(), 20).error, Error::BadSize);

    EXPECT_EQ(LampConverter::convertFile("/nonexistent/dir/x.bmp", 16).error, Error::CannotOpen);
    EXPECT_EQ(LampConverter::convertFile("/", 16).error, Error::CannotOpen);

    EXPECT_STREQ(LampConverter::message(Error::CannotOpen), "无法打开的BMP文件！");
    EXPECT_STREQ(LampConverter::message(Error::NotBmp), "非BMP文件");
    EXPECT_STREQ(LampConverter::message(Error::Damaged), "文件已损坏，请检查！");
    EXPECT_STREQ(LampConverter::message(Error::NotMonochrome),
                 "单色液晶只能处理单色的BMP文件！\n请利用工具(画图板等)转化！");
    for (Error e : {Error::HeaderFormat, Error::Compressed, Error::BadSize}) {
        EXPECT_GT(std::string(LampConverter::message(e)).size(), 10u);
    }
}

TEST(LampConverter, OddDimensionsAreCroppedAndPaddedWithDarkDots) {
    // A 16 x 16 bitmap as a 16-dot lamp: the second picture is all dark even when the writer
    // left garbage in the row filler.
    TestBmp square;
    square.width = 16;
    square.filler = 0xff;
    auto r = LampConverter::convert(square.bytes(), 16);
    ASSERT_TRUE(r.ok());
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ(rowText(r.picture, row), std::string(16, '1') + std::string(16, '0')) << row;
    }

    // A 32 x 16 bitmap as a 32-dot lamp is not refused: it fills the bottom-left quarter.
    TestBmp small;
    r = LampConverter::convert(small.bytes(), 32);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.picture.dots.size(), 2048u);
    for (int row = 0; row < 32; ++row) {
        EXPECT_EQ(rowText(r.picture, row),
                  row < 16 ? std::string(32, '1') + std::string(32, '0') : std::string(64, '0'))
            << row;
    }

    // A larger bitmap keeps its bottom-left corner.
    TestBmp big;
    big.width = 70;
    big.height = 40;
    big.bit = [](int x, int y) { return x == 0 || y == 39; };
    r = LampConverter::convert(big.bytes(), 16);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rowText(r.picture, 0), std::string(32, '1'));
    EXPECT_EQ(rowText(r.picture, 15), "1" + std::string(31, '0'));

    // A width that ends inside a byte: the bits past it are filler, not dots.
    TestBmp narrow;
    narrow.width = 20;
    narrow.filler = 0xff;
    r = LampConverter::convert(narrow.bytes(), 16);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(rowText(r.picture, 3), std::string(20, '1') + std::string(12, '0'));
}

TEST(LampConverter, DotsAreTakenFromTheHeaderOffsetAndNeverPastTheData) {
    TestBmp plain;
    plain.bit = [](int x, int y) { return (x * 7 + y * 3) % 5 < 2; };
    auto expected = LampConverter::convert(plain.bytes(), 16);
    ASSERT_TRUE(expected.ok());

    TestBmp gapped = plain;
    gapped.gap = 6;
    auto r = LampConverter::convert(gapped.bytes(), 16);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.dots, expected.picture.dots);

    // A top-down bitmap (negative height) comes out the same way up.
    TestBmp topDown = plain;
    topDown.topDown = true;
    r = LampConverter::convert(topDown.bytes(), 16);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.dots, expected.picture.dots);

    // Pixel data cut short (bfSize patched to match): the missing rows are dark.
    auto cut = plain.bytes();
    cut.resize(62 + 5 * 4 + 2);
    cut[2] = static_cast<uint8_t>(cut.size());
    cut[3] = 0;
    r = LampConverter::convert(cut, 16);
    ASSERT_TRUE(r.ok());
    for (int row = 0; row < 16; ++row) {
        std::string want = rowText(expected.picture, row);
        if (row == 5) {
            want = want.substr(0, 16) + std::string(16, '0');
        } else if (row > 5) {
            want = std::string(32, '0');
        }
        EXPECT_EQ(rowText(r.picture, row), want) << row;
    }

    // Offsets into the headers or past the end, and empty dimensions, are damage.
    auto patchOffset = [&](uint32_t off) {
        auto b = plain.bytes();
        b[10] = off & 0xff;
        b[11] = (off >> 8) & 0xff;
        return LampConverter::convert(b, 16).error;
    };
    EXPECT_EQ(patchOffset(20), Error::Damaged);
    EXPECT_EQ(patchOffset(4000), Error::Damaged);
    EXPECT_EQ(patchOffset(static_cast<uint32_t>(plain.bytes().size())), Error::None);
    EXPECT_EQ(LampConverter::convert(TestBmp{.width = 0}.bytes(), 16).error, Error::Damaged);
    EXPECT_EQ(LampConverter::convert(TestBmp{.height = 0}.bytes(), 16).error, Error::Damaged);
    auto hugeHeight = plain.bytes();
    hugeHeight[22] = hugeHeight[23] = hugeHeight[24] = 0xff;
    hugeHeight[25] = 0x7f;
    EXPECT_TRUE(LampConverter::convert(hugeHeight, 32).ok());
    hugeHeight[25] = 0x80; // INT32_MIN rows, top-down
    hugeHeight[22] = hugeHeight[23] = hugeHeight[24] = 0;
    EXPECT_TRUE(LampConverter::convert(hugeHeight, 32).ok());
}

TEST(LampConverter, ConvertsAFileOnDisk) {
    ScratchDirectory scratch("lamp-converter");
    const std::string path = scratch.file("lamp.bmp");
    TestBmp bmp;
    bmp.bit = [](int x, int) { return x >= 16; };
    auto bytes = bmp.bytes();
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    auto r = LampConverter::convertFile(path, 16);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.picture.dots, LampConverter::convert(bytes, 16).picture.dots);
    EXPECT_TRUE(r.message().empty());
}
