#include "forms/AddressKeypadForm.h"
#include "forms/AddressRules.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

using namespace dispcraft;

TEST(AddressRules, OctalAreaLimitAndDigits) {
    // Four octal positions up to 1777.
    EXPECT_TRUE(ValidateAddress("1777", "1777", "7777"));
    EXPECT_TRUE(ValidateAddress("0", "1777", "7777"));
    EXPECT_TRUE(ValidateAddress("", "1777", "7777"));
    EXPECT_FALSE(ValidateAddress("2000", "1777", "7777")); // above the limit
    EXPECT_FALSE(ValidateAddress("1778", "1777", "7777")); // 8 is no octal digit
    EXPECT_FALSE(ValidateAddress("00010", "1777", "7777")); // longer than the limit
    EXPECT_FALSE(ValidateAddress("12A", "1777", "7777"));
}

TEST(AddressRules, BitNumberPositions) {
    // Two hexadecimal positions followed by a bit number 0-15.
    EXPECT_TRUE(ValidateAddress("0115", "FF15", "FF19"));
    EXPECT_TRUE(ValidateAddress("FF00", "FF15", "FF19"));
    EXPECT_TRUE(ValidateAddress("0109", "FF15", "FF19"));
    EXPECT_FALSE(ValidateAddress("0116", "FF15", "FF19"));
    EXPECT_FALSE(ValidateAddress("0120", "FF15", "FF19")); // 2 exceeds the '1' position
    EXPECT_FALSE(ValidateAddress("FF16", "FF15", "FF19"));
}

TEST(AddressRules, CharactersOutsideTheAddressAlphabetAreRefused) {
    EXPECT_FALSE(ValidateAddress("00:0", "9999", "9999")); // between '9' and 'A'
    EXPECT_FALSE(ValidateAddress("00 1", "9999", "9999"));
    EXPECT_FALSE(ValidateAddress("00ff", "FFFF", "FFFF")); // lower case
    EXPECT_TRUE(ValidateAddress("00FF", "FFFF", "FFFF"));
    // A marker position is decimal: letters never pass it.
    EXPECT_FALSE(ValidateAddress("001A", "9990", "999o"));
}

TEST(AddressRules, MultipleRulesOfTheMarkers) {
    EXPECT_TRUE(ValidateAddress("0016", "9990", "999o"));
    EXPECT_TRUE(ValidateAddress("0000", "9990", "999o"));
    EXPECT_FALSE(ValidateAddress("0012", "9990", "999o"));
    EXPECT_TRUE(ValidateAddress("0032", "9990", "999h"));
    EXPECT_FALSE(ValidateAddress("0024", "9990", "999h"));
    // The marker counts only at the limit's last position.
    EXPECT_TRUE(ValidateAddress("13", "999", "999h"));
}

TEST(AddressRules, DamagedAreaTextsNeverReadOutOfBounds) {
    // A missing key reads as "end": such an area accepts nothing and nothing is read past it.
    EXPECT_FALSE(ValidateAddress("1", "end", "end"));
    EXPECT_FALSE(ValidateAddress("", "", ""));
    EXPECT_FALSE(ValidateAddress("1", "1777", "77"));
    EXPECT_FALSE(ValidateAddress("1", "", "7777")); // empty limit: no text fits
    EXPECT_TRUE(ValidateAddress("", "", "7777"));
    // A limit longer than the format: the position rules stay within the format.
    EXPECT_TRUE(ValidateAddress("12345", "999999", "9999"));
}

TEST(AddressRules, TextToNumber) {
    EXPECT_EQ(AddressToNumber("0017", "7777"), 15);
    EXPECT_EQ(AddressToNumber("17", "7777"), 15);
    EXPECT_EQ(AddressToNumber("0010", "7777"), 8);
    EXPECT_EQ(AddressToNumber("00FF", "FFFF"), 255);
    EXPECT_EQ(AddressToNumber("1234", "9999"), 1234);
    // Mixed radix: hexadecimal high positions, a bit number at the end.
    EXPECT_EQ(AddressToNumber("0115", "FF19"), ((0 * 16 + 1) * 2 + 1) * 10 + 5);
    // Six positions: the bit number is added to the word value.
    EXPECT_EQ(AddressToNumber("001203", "999999"), 12 + 3);
    EXPECT_EQ(AddressToNumber("0016", "999o"), 16);
}

TEST(AddressRules, NumberToText) {
    EXPECT_EQ(NumberToAddress(255, "FFFF"), "00FF");
    EXPECT_EQ(NumberToAddress(15, "7777"), "0017");
    EXPECT_EQ(NumberToAddress(0, "7777"), "0000");
    EXPECT_EQ(NumberToAddress(1023, "7777"), "1777");
    EXPECT_EQ(NumberToAddress(-5, "9999"), "0000");
    // Six positions: the word from n itself and n mod 100 as the bit number.
    EXPECT_EQ(NumberToAddress(1234, "999999"), "123434");
    // The round trip holds for four positions.
    for (int n : {0, 7, 8, 100, 511, 1023}) {
        EXPECT_EQ(AddressToNumber(NumberToAddress(n, "7777"), "7777"), n);
    }
}

TEST(AddressRules, UnsupportedFormatLengthsReportTheirMessage) {
    RecordingSink sink;
    EXPECT_EQ(AddressToNumber("12", "777", &sink), -1);
    EXPECT_EQ(NumberToAddress(12, "77777", &sink), "");
    ASSERT_EQ(sink.shown().size(), 2u);
    EXPECT_EQ(sink.shown()[0].id, 61535);
    EXPECT_EQ(sink.shown()[1].id, 61536);
    // Without a sink nothing is shown and the results are the same.
    EXPECT_EQ(AddressToNumber("12", "end"), -1);
    EXPECT_EQ(NumberToAddress(12, ""), "");
}

TEST(AddressKeypad, FirstKeyReplacesThenKeysAppendUpToTheLimit) {
    AddressKeypadForm k("0123", "1777", "7777");
    k.key('5');
    EXPECT_EQ(k.fields().text, "5");
    k.key('6');
    k.key('7');
    k.key('1');
    EXPECT_EQ(k.fields().text, "5671");
    k.key('2'); // as long as the limit: no more
    EXPECT_EQ(k.fields().text, "5671");
    k.deleteLast();
    EXPECT_EQ(k.fields().text, "567");
    k.clear();
    EXPECT_EQ(k.fields().text, "");
    k.deleteLast();
    EXPECT_EQ(k.fields().text, "");
    k.key('3');
    EXPECT_EQ(k.fields().text, "3");
}

TEST(AddressKeypad, ButtonsMapToTheirKeys) {
    EXPECT_EQ(AddressKeypadForm::keyOfButton(1013), '0');
    EXPECT_EQ(AddressKeypadForm::keyOfButton(1002), '7');
    EXPECT_EQ(AddressKeypadForm::keyOfButton(1011), 'F');
    EXPECT_EQ(AddressKeypadForm::keyOfButton(1012), 'C');
    EXPECT_FALSE(AddressKeypadForm::keyOfButton(1018));
    AddressKeypadForm k("", "FFFF", "FFFF");
    k.button(1016);
    k.button(1017);
    k.button(1019);
    k.button(1014);
    EXPECT_EQ(k.fields().text, "AD");
    k.button(1018);
    EXPECT_EQ(k.fields().text, "");
}

TEST(AddressKeypad, OkPadsValidAddressesAndStaysSilentlyOnInvalidOnes) {
    AddressKeypadForm k("17", "1777", "7777");
    auto r = k.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r.values, "0017");
    k.fields().text = "18";
    r = k.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(r.focus, AddressKeypadForm::kEdit);
}
