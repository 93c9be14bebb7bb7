#include "forms/TextStringForm.h"

#include "forms/ObjectFormMessages.h"

#include <gtest/gtest.h>

namespace dispcraft {
namespace {

TEST(TextStringForm, ByteLimitsPerFontCountGb2312Bytes) {
    TextStringForm f;
    f.fields().text = std::string(24, 'A');
    f.fields().fontIndex = 0;
    EXPECT_TRUE(f.ok().ok());
    f.fields().text += "A";
    auto o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::string(61632));
    EXPECT_EQ(o.focus, TextStringForm::kText);

    f.fields().text = std::string(12, 'A');
    f.fields().fontIndex = 1;
    EXPECT_TRUE(f.ok().ok());
    f.fields().text += "A";
    EXPECT_EQ(f.ok().message, Message::string(61633));

    // Twelve two-byte characters: 12 characters in UTF-8 terms but 24 bytes on the panel.
    std::string twelve;
    for (int i = 0; i < 12; ++i) {
        twelve += "\xE4\xB8\xAD"; // U+4E2D
    }
    f.fields().text = twelve;
    f.fields().fontIndex = 2;
    auto fits = f.ok();
    ASSERT_TRUE(fits.ok());
    EXPECT_EQ(fits.values->text.size(), 24u);
    EXPECT_EQ(static_cast<unsigned char>(fits.values->text[0]), 0xD6);
    f.fields().fontIndex = 3;
    EXPECT_EQ(f.ok().message, Message::string(61633));
}

TEST(TextStringForm, EmptyAndForeignTextsAreRefused) {
    TextStringForm f;
    EXPECT_EQ(f.ok().message, Message::string(61631));
    // An emoji has no GB2312 code: refused with its name rather than dropped.
    f.fields().text = "A\xF0\x9F\x98\x80";
    auto o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message.id, objectform::kNotGb2312);
    EXPECT_EQ(o.message.args, std::vector<std::string>{"\xF0\x9F\x98\x80"});
    EXPECT_EQ(o.focus, TextStringForm::kText);
}

TEST(TextStringForm, OpeningNormalisesAndOkPacksAttr) {
    TextStringForm f("\xD6\xD0", 7, -1); // GB2312 of U+4E2D
    EXPECT_EQ(f.fields().text, "\xE4\xB8\xAD");
    EXPECT_EQ(f.fields().fontIndex, 0);
    EXPECT_EQ(f.fields().reverse, 0);
    EXPECT_EQ(f.fontList().size(), 4u);

    TextStringForm g("AB", 3, 1);
    auto o = g.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->text, "AB");
    EXPECT_EQ(o.values->attr(), 0x83);
    g.cancel();
    EXPECT_TRUE(g.fields().text.empty());
}

} // namespace
} // namespace dispcraft
