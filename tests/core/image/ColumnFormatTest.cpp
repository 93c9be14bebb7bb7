#include "image/ColumnFormat.h"

#include <gtest/gtest.h>

using namespace dispcraft;

TEST(ColumnFormat, SingleByteGlyphTurnsRowsIntoColumns) {
    // 'A' of the shipped font: rows 4..13.
    const std::array<uint8_t, 16> rows{0, 0, 0, 0, 0x18, 0x24, 0x24, 0x42,
                                       0x42, 0x7E, 0x42, 0x42, 0x42, 0x42, 0, 0};
    auto cell = columnformat::singleByteCell(rows);
    // Column 0 is blank; column 1 has dots in rows 7 (top half, bit 7) and 8..13 (bottom half,
    // bits 0..5); column 3 has row 4 on top and row 9 below.
    const std::array<uint8_t, 16> expected{0x00, 0x80, 0x60, 0x10, 0x10, 0x60, 0x80, 0x00,
                                           0x00, 0x3F, 0x02, 0x02, 0x02, 0x02, 0x3F, 0x00};
    EXPECT_EQ(cell, expected);
}

TEST(ColumnFormat, TwoByteGlyphQuartersComeInColumnOrder) {
    GlyphBitmap g;
    g.set(0, 0);   // top-left: byte 0 bit 0
    g.set(7, 7);   // byte 7 bit 7
    g.set(2, 9);   // rows 8..15 of columns 0..7: byte 10 bit 1
    g.set(9, 3);   // columns 8..15 of rows 0..7: byte 17 bit 3
    g.set(15, 15); // last byte, bit 7
    auto cells = columnformat::twoByteCells(g);
    std::array<uint8_t, 32> expected{};
    expected[0] = 0x01;
    expected[7] = 0x80;
    expected[10] = 0x02;
    expected[17] = 0x08;
    expected[31] = 0x80;
    EXPECT_EQ(cells, expected);
}

TEST(ColumnFormat, PictureBandsRunTopDownFromBottomUpRows) {
    // 3 wide, 16 high, stored bottom row first; 0 = dark. Dark dots: the top row (stored row 15)
    // in column 0, the bottom row (stored row 0) in column 2, and row 8 (lowest row of the upper
    // band) in column 1.
    std::string dots(3 * 16, '\1');
    dots[15 * 3 + 0] = 0;
    dots[0 * 3 + 2] = 0;
    dots[8 * 3 + 1] = 0;
    auto out = columnformat::picture(dots, 3, 16);
    ASSERT_EQ(out.size(), 6u);
    // Upper band first: top dot is bit 0.
    EXPECT_EQ(out[0], 0x01);
    EXPECT_EQ(out[1], 0x80);
    EXPECT_EQ(out[2], 0x00);
    // Lower band: the bottom row is bit 7.
    EXPECT_EQ(out[3], 0x00);
    EXPECT_EQ(out[4], 0x00);
    EXPECT_EQ(out[5], 0x80);
}

TEST(ColumnFormat, PictureDropsPartialBandAndToleratesShortDots) {
    // 12 rows: one band of the lowest 8 rows; the top 4 rows are dropped.
    std::string dots(2 * 12, '\0');
    auto out = columnformat::picture(dots, 2, 12);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], 0xFF);
    // Fewer than 8 rows: nothing at all.
    EXPECT_TRUE(columnformat::picture(std::string(14, '\0'), 2, 7).empty());
    // A dot string cut short: the missing dots are background.
    out = columnformat::picture(std::string(3, '\0'), 2, 8);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], 0xC0); // stored rows 0 and 1 of column 0: bits 7 and 6
    EXPECT_EQ(out[1], 0x80);
    EXPECT_TRUE(columnformat::picture(std::string(), 0, 8).empty());
}
