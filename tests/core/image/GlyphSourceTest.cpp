#include "base/ScratchDirectory.h"
#include "image/Asc16Glyphs.h"
#include "image/BuildMessages.h"
#include "image/FreeTypeGlyphSource.h"
#include "image/GlyphSource.h"
#include "image/HexGlyphSource.h"
#include "image/PanelGlyphs.h"
#include "image/TwoByteGlyphs.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace dispcraft;
namespace fs = std::filesystem;

namespace {

const char* kZenHei = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

// A fresh, empty program directory per test.
struct TempDir {
    ScratchDirectory scratch;
    fs::path path = scratch.path();
    explicit TempDir(const char* name) : scratch(name) {}
    std::string file(const char* name) const { return (path / name).string(); }
};

std::string rowsOf(const GlyphBitmap& g) {
    std::string s;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            s += g.dot(x, y) ? '#' : '.';
        }
        s += '\n';
    }
    return s;
}

} // namespace

TEST(HexGlyphSource, ReadsBothWidthsAndSkipsDamagedLines) {
    auto src = HexGlyphSource::fromText("0041:0000000018242442427E424242420000\n"
                                        "4E2D:01000100010001003FF8210821082108210821083FF821080100010001000100\r\n"
                                        "0042:123\n"                                   // too short
                                        "0043:00000000000000000000000000000ZZZ\n"      // not hex
                                        "zzzz:00000000000000000000000000000000\n"      // bad code
                                        "0041:FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\n");    // first wins
    ASSERT_TRUE(src);
    EXPECT_EQ(src->size(), 2u);
    auto a = src->glyph(U'A');
    ASSERT_TRUE(a);
    // The 8-dot glyph sits in the left half.
    EXPECT_EQ(a->rows[4], 0x1800);
    EXPECT_EQ(a->rows[9], 0x7E00);
    EXPECT_TRUE(a->dot(3, 4));
    EXPECT_FALSE(a->dot(8, 9));
    auto zhong = src->glyph(U'\u4E2D');
    ASSERT_TRUE(zhong);
    EXPECT_EQ(zhong->rows[0], 0x0100);
    EXPECT_EQ(zhong->rows[4], 0x3FF8);
    EXPECT_FALSE(src->glyph(U'B'));
    EXPECT_FALSE(src->glyph(U'C'));
}

TEST(HexGlyphSource, OpenRefusesMissingAndEmptyFiles) {
    TempDir dir("hex_open");
    std::string why;
    EXPECT_FALSE(HexGlyphSource::open(dir.file("none.hex"), &why));
    EXPECT_FALSE(why.empty());
    ASSERT_TRUE(FileIo::writeAtomic(dir.file("empty.hex"), std::string("# nothing\n")));
    EXPECT_FALSE(GlyphSource::openFile(dir.file("empty.hex"), &why));
    EXPECT_EQ(why, "holds no glyphs");
}

TEST(FreeTypeGlyphSource, DrawsGlyphsInsideTheCell) {
    if (!FreeTypeGlyphSource::available() || !FileIo::exists(kZenHei)) {
        GTEST_SKIP() << "no FreeType or no system CJK font";
    }
    std::string why;
    auto src = GlyphSource::openFile(kZenHei, &why);
    ASSERT_TRUE(src) << why;
    auto zhong = src->glyph(U'\u4E2D');
    ASSERT_TRUE(zhong);
    EXPECT_FALSE(zhong->blank());
    // The vertical stroke of 中 runs through the middle of the cell, top to bottom.
    int middleColumnDots = 0;
    for (int y = 0; y < 16; ++y) {
        middleColumnDots += zhong->dot(7, y) || zhong->dot(8, y);
    }
    EXPECT_GE(middleColumnDots, 12) << rowsOf(*zhong);
    // A private-use character the font does not have.
    EXPECT_FALSE(src->glyph(U'\U0010FFFD'));
    // Not a font at all.
    TempDir dir("ft_bad");
    ASSERT_TRUE(FileIo::writeAtomic(dir.file("bad.ttc"), std::string(600, 'x')));
    EXPECT_FALSE(GlyphSource::openFile(dir.file("bad.ttc"), &why));
    EXPECT_FALSE(why.empty());
}

TEST(FreeTypeGlyphSource, BitmapStrikeGivesTheFontsOwnDots) {
    // Unifont's TrueType form carries its 16-pixel glyphs as a strike: drawn through FreeType
    // they must come out exactly as in the hex file, at the same place in the cell.
    const char* ttf = "/usr/share/fonts/truetype/unifont/unifont_sample.ttf";
    if (!FreeTypeGlyphSource::available() || !FileIo::exists(ttf) ||
        !FileIo::exists(kSystemUnifontHex)) {
        GTEST_SKIP() << "no FreeType or no Unifont";
    }
    auto ft = FreeTypeGlyphSource::open(ttf);
    ASSERT_TRUE(ft);
    EXPECT_TRUE(ft->usesBitmapStrike());
    auto hex = HexGlyphSource::open(kSystemUnifontHex);
    ASSERT_TRUE(hex);
    int compared = 0;
    for (char32_t cp : {U'\u4E2D', U'\u6587', U'\u56FD', U'\u5B57'}) {
        auto a = ft->glyph(cp);
        auto b = hex->glyph(cp);
        if (!a || !b) {
            continue;
        }
        EXPECT_EQ(rowsOf(*a), rowsOf(*b)) << "U+" << std::hex << static_cast<unsigned>(cp);
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

TEST(GlyphFontChoice, FollowsTheOrderOfSources) {
    TempDir dir("choice");
    ProgramDirectory pd(dir.path.string());
    const std::string hex = "4E2D:01000100010001003FF8210821082108210821083FF821080100010001000100\n";
    ASSERT_TRUE(FileIo::writeAtomic(dir.file("unifont.hex"), hex));

    // Program directory's hex file before the system's.
    GlyphFontChoice c = chooseGlyphFont(pd);
    ASSERT_TRUE(c.source);
    EXPECT_EQ(c.source->path(), dir.file("unifont.hex"));
    EXPECT_TRUE(c.warnings.empty());

    // A damaged simsun.ttc is reported and skipped.
    ASSERT_TRUE(FileIo::writeAtomic(dir.file("simsun.ttc"), std::string(100, '\0')));
    c = chooseGlyphFont(pd);
    ASSERT_TRUE(c.source);
    EXPECT_EQ(c.source->path(), dir.file("unifont.hex"));
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_EQ(c.warnings[0].id, buildmsg::kGlyphFontSkipped);
    EXPECT_EQ(c.warnings[0].args.at(0), dir.file("simsun.ttc"));

    // A good simsun.ttc wins.
    if (FreeTypeGlyphSource::available() && FileIo::exists(kZenHei)) {
        fs::remove(dir.file("simsun.ttc"));
        fs::create_symlink(kZenHei, dir.file("simsun.ttc"));
        c = chooseGlyphFont(pd);
        ASSERT_TRUE(c.source);
        EXPECT_EQ(c.source->path(), dir.file("simsun.ttc"));
    }

    // The caller's font is taken even when others exist, and not finding it is an error.
    std::string own = dir.file("own.hex");
    ASSERT_TRUE(FileIo::writeAtomic(own, hex));
    c = chooseGlyphFont(pd, own);
    ASSERT_TRUE(c.source);
    EXPECT_EQ(c.source->path(), own);
    c = chooseGlyphFont(pd, dir.file("missing.ttf"));
    EXPECT_FALSE(c.source);
    ASSERT_TRUE(c.error);
    EXPECT_EQ(c.error->id, buildmsg::kGlyphFontUnreadable);
}

TEST(TwoByteGlyphs, MapsPairsThroughUnicodeAndNamesMissingOnes) {
    TwoByteGlyphs glyphs(HexGlyphSource::fromText(
        "4E2D:01000100010001003FF8210821082108210821083FF821080100010001000100\n"
        "3000:0000000000000000000000000000000000000000000000000000000000000000\n"));
    const auto& zhong = glyphs.glyph(0xD6, 0xD0); // 中
    EXPECT_TRUE(zhong.found);
    EXPECT_EQ(zhong.bitmap.rows[4], 0x3FF8);
    const auto& space = glyphs.glyph(0xA1, 0xA1); // ideographic space: blank but present
    EXPECT_TRUE(space.found);
    EXPECT_TRUE(space.bitmap.blank());
    const auto& wen = glyphs.glyph(0xCE, 0xC4); // 文, not in the font
    EXPECT_FALSE(wen.found);
    EXPECT_TRUE(wen.bitmap.blank());
    EXPECT_FALSE(glyphs.glyph(0xFF, 0x41).found); // not GB2312

    auto named = TwoByteGlyphs::describe(0xCE, 0xC4);
    EXPECT_EQ(named[0], "\xE6\x96\x87");
    EXPECT_EQ(named[1], "CEC4");
    named = TwoByteGlyphs::describe(0xFF, 0x41);
    EXPECT_EQ(named[0], "\\xFF\\x41");
    EXPECT_EQ(named[1], "FF41");

    TwoByteGlyphs none(nullptr);
    EXPECT_FALSE(none.glyph(0xD6, 0xD0).found);
}

TEST(Asc16Glyphs, ShippedFileHoldsUnifontLatinGlyphs) {
    ProgramDirectory pd(DISPCRAFT_TEST_PROGRAM_DIR);
    Asc16Glyphs::Status status;
    auto asc = Asc16Glyphs::load(Asc16Glyphs::pathIn(pd), &status);
    ASSERT_TRUE(asc) << "asc16 not generated";
    EXPECT_EQ(status, Asc16Glyphs::Status::Ok);
    auto a = asc->rows('A');
    const std::array<uint8_t, 16> expected{0, 0, 0, 0, 0x18, 0x24, 0x24, 0x42,
                                           0x42, 0x7E, 0x42, 0x42, 0x42, 0x42, 0, 0};
    EXPECT_EQ(a, expected);
    // Control characters and the space are blank.
    EXPECT_TRUE(asc->bitmap(0).blank());
    EXPECT_TRUE(asc->bitmap(' ').blank());
    EXPECT_TRUE(asc->bitmap(0x7F).blank());
    EXPECT_FALSE(asc->bitmap('~').blank());

    TempDir dir("asc_short");
    ASSERT_TRUE(FileIo::writeAtomic(dir.file("asc16"), std::string(4095, '\0')));
    EXPECT_FALSE(Asc16Glyphs::load(dir.file("asc16"), &status));
    EXPECT_EQ(status, Asc16Glyphs::Status::Damaged);
    EXPECT_FALSE(Asc16Glyphs::load(dir.file("nothing"), &status));
    EXPECT_EQ(status, Asc16Glyphs::Status::Missing);
}

TEST(PanelGlyphs, CellsFollowThePanelsReadingOfBytes) {
    std::vector<uint8_t> asc(4096, 0);
    asc[16 * 'A' + 3] = 0x81;
    PanelGlyphs glyphs(Asc16Glyphs::fromBytes(asc),
                       HexGlyphSource::fromText("4E2D:01000100010001003FF8210821082108210821083FF821080100010001000100\n"));
    // "A", 中, a pair led by 127, then a lead byte cut off at the end.
    auto cells = glyphs.cells(std::string("A\xD6\xD0\x7F" "A\xD6", 6));
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0].width, 8);
    EXPECT_EQ(cells[0].bitmap.rows[3], 0x8100);
    EXPECT_EQ(cells[1].width, 16);
    EXPECT_EQ(cells[1].bitmap.rows[4], 0x3FF8);
    EXPECT_EQ(cells[2].width, 16);
    EXPECT_TRUE(cells[2].bitmap.blank());

    std::vector<Message> notes;
    TempDir dir("panel_open");
    PanelGlyphs none = PanelGlyphs::open(ProgramDirectory(dir.path.string()), dir.file("x.hex"), &notes);
    EXPECT_FALSE(none.hasAscii());
    EXPECT_FALSE(none.hasTwoByteSource());
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].id, buildmsg::kAsciiGlyphsMissing);
    EXPECT_EQ(notes[1].id, buildmsg::kGlyphFontUnreadable);
}
