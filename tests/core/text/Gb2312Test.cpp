#include "text/Gb2312.h"
#include "text/StoreText.h"

#include <gtest/gtest.h>

using namespace dispcraft;

TEST(Gb2312, RoundTripAndRefusal) {
    std::string utf8 = "A\xE4\xBD\xA0\xE5\xA5\xBD"; // "A" and two Chinese characters
    Gb2312::Result gb = Gb2312::fromUtf8(utf8);
    ASSERT_TRUE(gb.ok);
    EXPECT_EQ(gb.text, "A\xC4\xE3\xBA\xC3");
    Gb2312::Result back = Gb2312::toUtf8(gb.text);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.text, utf8);
    EXPECT_EQ(Gb2312::byteLength(utf8), 5u);

    // The euro sign and an emoji have no GB2312 form: refused, never dropped.
    Gb2312::Result euro = Gb2312::fromUtf8("ab\xE2\x82\xAC" "cd");
    EXPECT_FALSE(euro.ok);
    EXPECT_EQ(euro.offending, "\xE2\x82\xAC");
    EXPECT_EQ(euro.offset, 2u);
    EXPECT_FALSE(Gb2312::byteLength("\xF0\x9F\x98\x80"));

    Gb2312::Result bad = Gb2312::toUtf8("x\xFF\xFF");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.offending, "\\xFF\\xFF");
    EXPECT_EQ(Gb2312::toUtf8Lossy("x\xFF\xFF" "y"), "x\xEF\xBF\xBDy");
    EXPECT_EQ(Gb2312::codePoint(0xC4, 0xE3), U'\u4F60');
}

TEST(StoreText, RefusalNamesTheCharacter) {
    std::string out = "old";
    auto m = StoreText::fromUser("ok \xE2\x82\xAC", out);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->id, StoreText::kOutsideGb2312);
    EXPECT_EQ(m->args, (std::vector<std::string>{"\xE2\x82\xAC", "20AC"}));
    EXPECT_EQ(out, "old");
    EXPECT_FALSE(StoreText::fromUser("\xE4\xBD\xA0", out));
    EXPECT_EQ(out, "\xC4\xE3");
    EXPECT_EQ(StoreText::toUser("\xC4\xE3"), "\xE4\xBD\xA0");
}
