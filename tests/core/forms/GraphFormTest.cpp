#include "forms/BarGraphForm.h"
#include "forms/TrendGraphForm.h"

#include "ObjectFormTestSupport.h"

#include <gtest/gtest.h>

namespace dispcraft {
namespace {

TEST(BarGraphForm, RangeChecksInOrder) {
    BarGraphForm::Preset p;
    p.ports = test::testPorts();
    p.maximum = 100;
    p.minimum = 100;
    BarGraphForm f(p);
    auto o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::string(61606));

    f.fields().maximum = 65535;
    f.fields().minimum = 0;
    EXPECT_TRUE(f.ok().ok());
    f.fields().maximum = 65536;
    EXPECT_EQ(f.ok().message, Message::string(61607));
    f.setCoding(1);
    EXPECT_EQ(f.valueRange(), (objectform::Range{0, 9999}));
    f.fields().maximum = 10000;
    o = f.ok();
    EXPECT_EQ(o.message, Message::string(61608));
    EXPECT_EQ(o.focus, BarGraphForm::kMaximum);
    f.setCoding(2);
    EXPECT_EQ(f.fields().maximum, 32767);
    EXPECT_EQ(f.fields().minimum, -32768);
    f.fields().minimum = -32769;
    EXPECT_EQ(f.ok().message, Message::string(61609));
}

TEST(BarGraphForm, OpeningAndPacking) {
    BarGraphForm::Preset p;
    p.ports = test::testPorts();
    p.portCount = 2;
    p.attr = 0x04 | 0x03;
    p.maximum = -1; // a stored unsigned 65535 reads back as -1
    p.minimum = -2;
    p.areaAndBit = 0x10;
    BarGraphForm f(p);
    EXPECT_EQ(f.fields().maximum, 65535);
    EXPECT_EQ(f.fields().minimum, 65534);
    EXPECT_EQ(f.fields().direction, 3);
    EXPECT_EQ(f.fields().coding, 0);
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->length, 48);
    EXPECT_EQ(o.values->thickness, 24);
    EXPECT_EQ(o.values->attr, 0x07);
    EXPECT_EQ(o.values->areaAndBit, 0x10);

    p.attr = 0xC1; // both coding bits read as signed
    p.length = 30;
    p.thickness = 10;
    BarGraphForm s(p);
    EXPECT_EQ(s.fields().coding, 2);
    EXPECT_EQ(s.fields().maximum, -1);
    s.fields().minimum = -5;
    o = s.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr, 0x81);
    EXPECT_EQ(o.values->length, 30);
}

TEST(TrendGraphForm, WidthIsFittedToTheLcd) {
    TrendGraphForm::Preset p;
    p.ports = test::testPorts();
    p.height = 40;
    p.maximum = 100;
    p.spacing = 10;
    p.count = 20;
    TrendGraphForm f(p);
    EXPECT_EQ(f.width(), 213);
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->count, 17);
    EXPECT_EQ(o.values->width, 183);
    EXPECT_EQ(o.message, Message::string(61634, {"17"}));

    f.fields().spacing = 189;
    f.fields().count = 0;
    o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->width, 192);
    EXPECT_TRUE(o.message.empty());

    // Exactly 192 with samples to spare is not lowered either.
    f.fields().spacing = 7;
    f.fields().count = 26;
    o = f.ok();
    EXPECT_EQ(o.values->count, 26);
    EXPECT_TRUE(o.message.empty());

    f.fields().spacing = 0;
    o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, objectform::rangeMessage(2, 189));
    EXPECT_EQ(o.focus, TrendGraphForm::kSpacing);
    f.fields().spacing = 2;
    f.fields().settingA = 0; // a typed 0 is taken
    EXPECT_TRUE(f.ok().ok());
    f.fields().count = 101;
    EXPECT_EQ(f.ok().focus, TrendGraphForm::kCount);
}

TEST(TrendGraphForm, NewGraphDefaultsAndCoding) {
    TrendGraphForm::Preset p;
    p.ports = test::testPorts();
    p.portCount = 2;
    p.attr = 0x40 | 0x04; // BCD on COM2
    TrendGraphForm f(p);
    EXPECT_TRUE(f.isNew());
    EXPECT_EQ(f.fields().count, 2);
    EXPECT_EQ(f.fields().spacing, 10);
    EXPECT_EQ(f.width(), 33);
    EXPECT_EQ(f.height(), 56);
    EXPECT_EQ(f.fields().maximum, 9999);
    EXPECT_EQ(f.fields().minimum, 0);
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr, 0x44);
    EXPECT_EQ(o.values->height, 56);
    EXPECT_EQ(o.values->width, 33);

    f.setCoding(2);
    EXPECT_EQ(f.fields().maximum, 32767);
    f.fields().maximum = 40000;
    EXPECT_EQ(f.ok().message, Message::string(61609));
    f.fields().maximum = -32768;
    EXPECT_EQ(f.ok().message, Message::string(61606));
}

} // namespace
} // namespace dispcraft
