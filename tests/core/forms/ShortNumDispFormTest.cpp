#include "forms/ShortNumDispForm.h"

#include <gtest/gtest.h>

namespace dispcraft {
namespace {

TEST(ShortNumDispForm, FieldRangesAndEnabling) {
    ShortNumDispForm f;
    f.fields().fieldChoice = 5;
    EXPECT_FALSE(f.enabled(ShortNumDispForm::kPanelOptionC));
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->maximum, 7);
    EXPECT_EQ(o.values->minimum, 1);
    EXPECT_EQ(o.values->digits, 2);

    f.fields().fieldChoice = 6;
    EXPECT_TRUE(f.enabled(ShortNumDispForm::kPanelOptionC));
    o = f.ok();
    EXPECT_EQ(o.values->maximum, 99);
    EXPECT_EQ(o.values->minimum, 0);
    f.fields().fieldChoice = 3;
    EXPECT_EQ(f.ok().values->minimum, 1);
    EXPECT_EQ(f.ok().values->maximum, 31);
}

TEST(ShortNumDispForm, FlagByteRoundTripAndEntryOption) {
    ShortNumDispForm f; // flag byte 2 preset 1: option 1179 ticked, group 1177 second button
    EXPECT_TRUE(f.fields().panelOptionC);
    EXPECT_EQ(f.fields().panelOptionB, 1);
    EXPECT_FALSE(f.enabled(ShortNumDispForm::kPanelOptionA));
    EXPECT_FALSE(f.enabled(ShortNumDispForm::kPanelOptionB));
    EXPECT_EQ(f.ok().values->flags2, 0x01);

    f.fields().entryOption = 1;
    EXPECT_TRUE(f.enabled(ShortNumDispForm::kPanelOptionA));
    EXPECT_TRUE(f.enabled(ShortNumDispForm::kPanelOptionBSecond));
    f.fields().panelOptionA = true;
    f.fields().panelOptionC = false;
    f.fields().panelOptionB = 0;
    EXPECT_EQ(f.ok().values->flags2, 0x87);

    ShortNumDispForm::Preset p;
    p.flags2 = 0x87;
    p.fieldChoice = 9; // out of range: first field
    p.fontChoice = 2;
    ShortNumDispForm g(p);
    EXPECT_TRUE(g.fields().panelOptionA);
    EXPECT_FALSE(g.fields().panelOptionC);
    EXPECT_EQ(g.fields().panelOptionB, 0);
    EXPECT_EQ(g.fields().fieldChoice, 0);
    EXPECT_EQ(g.ok().values->flags2, 0x87);
    EXPECT_EQ(g.ok().values->font, 2);
}

} // namespace
} // namespace dispcraft
