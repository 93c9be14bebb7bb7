#include "text/LanguageStrings.h"

#include "core/config/TempProgramDir.h"

#include <gtest/gtest.h>

using namespace dispcraft;

TEST(LanguageStrings, ParsesEscapesCommentsAndDamagedLines) {
    LanguageStrings l;
    size_t n = l.parse("\xEF\xBB\xBF# comment\r\n100\tLine one\\r\\nLine two\\tend\\\\\r\n"
                       "\n200\t  spaced  \n12x\tbad\n300\tbad \xC3\n\tno number\n400\t\n");
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(l.text(100), "Line one\r\nLine two\tend\\");
    EXPECT_EQ(l.text(200), "  spaced  ");
    EXPECT_EQ(l.text(400), "");
    EXPECT_TRUE(l.hasOwn(400));
    EXPECT_FALSE(l.hasOwn(300));
    EXPECT_EQ(l.text(99999), "#99999");
}

TEST(LanguageStrings, Substitution) {
    auto s = LanguageStrings::substitute;
    EXPECT_EQ(s("Screen %d of %s", {"5", "x.trn"}), "Screen 5 of x.trn");
    EXPECT_EQ(s("%02d:%3d|%-3s|", {"7", "5", "ab"}), "07:  5|ab |");
    EXPECT_EQ(s("100%% %x %X", {"255", "3054"}), "100% ff BEE");
    EXPECT_EQ(s("%c%c", {"65", "B"}), "AB");
    EXPECT_EQ(s("%d and %d", {"1"}), "1 and ");
    EXPECT_EQ(s("50% off %", {}), "50% off %");
    EXPECT_EQ(s("%ld", {"-3"}), "-3");
}

TEST(LanguageStrings, ShippedFilesAndFallback) {
    const LanguageStrings& b = LanguageStrings::builtin();
    EXPECT_TRUE(b.hasOwn(63546));
    EXPECT_EQ(LanguageStrings::fileNameFor("ZOZUDEDevo.dll"), "ZOZUDEDevo.lang");
    EXPECT_EQ(LanguageStrings::fileNameFor("ZIDUZADERU.DLL"), "ZIDUZADERU.lang");

    LanguageStrings zh;
    Message problem;
    ASSERT_TRUE(zh.load(DISPCRAFT_TEST_PROGRAM_DIR, "ZIDUZADERU.dll", &problem));
    EXPECT_TRUE(problem.empty());
    EXPECT_NE(zh.text(63546), b.text(63546));

    LanguageStrings en;
    ASSERT_TRUE(en.load(DISPCRAFT_TEST_PROGRAM_DIR, "ZOZUDEDevo.dll"));
    // The compiled-in texts are the English file itself.
    EXPECT_EQ(en.texts(), b.texts());

    test::TempProgramDir dir;
    dir.write("Broken.lang", "no texts here\n");
    LanguageStrings missing;
    EXPECT_FALSE(missing.load(dir.path(), "Missing.dll", &problem));
    EXPECT_EQ(problem.id, LanguageStrings::kLanguageFileFallback);
    ASSERT_EQ(problem.args.size(), 1u);
    EXPECT_EQ(problem.args[0], dir.path() + "/Missing.lang");
    EXPECT_EQ(missing.text(63546), b.text(63546)); // English texts stand in
    EXPECT_FALSE(missing.load(dir.path(), "Broken.dll", &problem));
    EXPECT_TRUE(problem.empty()); // said once

    // A file that lacks a text falls back to English for that text only.
    dir.write("Part.lang", "63546\tunset\n");
    LanguageStrings part;
    ASSERT_TRUE(part.load(dir.path(), "Part.dll"));
    EXPECT_EQ(part.text(63546), "unset");
    EXPECT_EQ(part.text(LanguageStrings::kLanguageFileFallback), b.text(LanguageStrings::kLanguageFileFallback));
    EXPECT_EQ(part.format(Message::string(65100, {"f"})).find("\"f\"") != std::string::npos, true);
    EXPECT_EQ(part.format(Message::text("literal")), "literal");
}

TEST(LanguageStrings, PositionalArguments) {
    EXPECT_EQ(LanguageStrings::substitute("%2$s in %1$s (%2$s)", {"a", "b"}), "b in a (b)");
    EXPECT_EQ(LanguageStrings::substitute("%3$s", {"a"}), "");
}

// A language file is input: a text whose width or argument number is out of all measure must
// still format (it used to ask for more memory than there is and end the program).
TEST(LanguageStrings, HugeWidthsAndArgumentNumbersInATextAreBounded) {
    const std::string wide = LanguageStrings::substitute("[%99999999999999999999d]", {"5"});
    EXPECT_LE(wide.size(), 1002u);
    EXPECT_EQ(wide.substr(wide.size() - 2), "5]");
    // 2^64 + 1 must not wrap round to argument 1.
    EXPECT_EQ(LanguageStrings::substitute("%18446744073709551617$s.", {"a"}), ".");
    EXPECT_EQ(LanguageStrings::substitute("%-4s|%03d", {"ab", "7"}), "ab  |007");
}
