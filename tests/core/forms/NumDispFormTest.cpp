#include "forms/NumDispForm.h"
#include "objects/NumDispKind.h"

#include "ObjectFormTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dispcraft {
namespace {

NumDispForm::Preset preset() {
    NumDispForm::Preset p;
    p.modelMode = 2;
    p.portCount = 2;
    p.ports = test::testPorts();
    p.areaAndBit = 0x10; // device type 1: decimal positions
    return p;
}

TEST(NumDispForm, DigitsDecimalsAndPreview) {
    NumDispForm f(preset());
    f.fields().digits = 5;
    f.fields().decimals = 5;
    auto o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::string(61557));
    f.fields().decimals = 4;
    o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->preview, "1.2345");
    f.fields().digits = 11;
    EXPECT_EQ(f.ok().message, Message::string(61610));
    f.fields().digits = 10;
    f.fields().decimals = -1;
    EXPECT_EQ(f.ok().message, Message::string(61611));

    EXPECT_EQ(NumDispKind::previewText(false, 5, 0), "12345");
    EXPECT_EQ(NumDispKind::previewText(true, 5, 2), "-123.45");
    EXPECT_EQ(NumDispKind::previewText(false, 10, 9), "1.234567890");
    f.setCoding(NumDispForm::kCodingSignedValue);
    f.fields().decimals = 2;
    f.fields().digits = 5;
    EXPECT_EQ(f.ok().values->preview, "-123.45");
}

TEST(NumDispForm, EntryRangesByWidthAndCoding) {
    NumDispForm f(preset());
    f.setEntryMode(1);
    f.setCoding(NumDispForm::kCodingBcdValue);
    EXPECT_EQ(f.fields().maximum, 9999);
    f.fields().maximum = 10000;
    auto o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::string(61613));
    EXPECT_EQ(o.focus, NumDispForm::kMaximum);

    f.fields().maximum = 5;
    f.fields().minimum = 5;
    o = f.ok();
    EXPECT_EQ(o.message, Message::string(61606));
    EXPECT_EQ(o.icon, Icon::Warning);

    // Outside entry mode the entry range is not tested.
    f.setEntryMode(0);
    EXPECT_TRUE(f.ok().ok());

    f.setEntryMode(1);
    f.setCoding(NumDispForm::kCodingUnsignedValue);
    f.setWidth(1);
    EXPECT_EQ(f.fields().maximum, 2147483647);
    EXPECT_EQ(f.fields().high, 2147483647);
    EXPECT_EQ(f.fields().minimum, 0);
    EXPECT_EQ(f.fields().low, 0);
    EXPECT_EQ(f.spinRange(NumDispForm::kMaximumSpin), (objectform::Range{0, 2147483647}));
    f.fields().minimum = -1;
    EXPECT_EQ(f.ok().message, Message::string(61617));

    f.setCoding(NumDispForm::kCodingSignedValue);
    f.fields().maximum = 2000000000;
    f.fields().minimum = -2000000000;
    EXPECT_TRUE(f.ok().ok()); // 32-bit signed: never refused
    f.fields().maximum = 3000000000LL; // no longer a 32-bit value
    EXPECT_EQ(f.ok().message.id, objectform::kRangeMessage);

    f.setWidth(0);
    f.fields().maximum = 40000;
    EXPECT_EQ(f.ok().message, Message::string(61612));
}

TEST(NumDispForm, AlarmRange) {
    NumDispForm f(preset());
    EXPECT_FALSE(f.enabled(NumDispForm::kHigh));
    EXPECT_FALSE(f.enabled(NumDispForm::kMaximum));
    f.setAlarmOption(true);
    EXPECT_TRUE(f.enabled(NumDispForm::kHigh));
    EXPECT_TRUE(f.enabled(NumDispForm::kMaximum));
    f.fields().high = 70000;
    EXPECT_EQ(f.ok().message, Message::string(61620));
    f.setCoding(NumDispForm::kCodingBcdValue);
    f.fields().low = -1;
    auto o = f.ok();
    EXPECT_EQ(o.message, Message::string(61619));
    EXPECT_EQ(o.focus, NumDispForm::kLow);
    f.setAlarmOption(false);
    EXPECT_TRUE(f.ok().ok());
}

TEST(NumDispForm, BitsRoundTrip) {
    NumDispForm::Preset p = preset();
    p.attr = 0x80 | 0x20 | 0x10 | 0x08 | 0x04 | 0x02;
    p.flags2 = 0x80 | 0x08 | 0x02 | 0x01;
    NumDispForm f(p);
    EXPECT_EQ(f.fields().coding, NumDispForm::kCodingSignedValue);
    EXPECT_EQ(f.fields().width, 1);
    EXPECT_EQ(f.fields().entryMode, 1);
    EXPECT_EQ(f.fields().font, 2);
    EXPECT_TRUE(objectaddress::com2(f.address()));
    EXPECT_EQ(f.fields().panelOptionB, 0);
    EXPECT_TRUE(f.fields().panelOptionC);
    EXPECT_TRUE(f.enabled(NumDispForm::kScaleFactor));
    f.fields().scale = 2.5;
    auto o = f.ok();
    ASSERT_TRUE(o.ok()) << o.message.id;
    EXPECT_EQ(o.values->attr, p.attr);
    EXPECT_EQ(o.values->flags2, p.flags2);
    EXPECT_FLOAT_EQ(o.values->scale, 2.5f);

    NumDispForm::Preset b = preset();
    b.attr = 0x40;
    b.flags2 = 0x04;
    NumDispForm g(b);
    EXPECT_EQ(g.fields().coding, NumDispForm::kCodingBcdValue);
    EXPECT_FALSE(g.fields().panelOptionC);
    EXPECT_EQ(g.fields().panelOptionB, 1);
    EXPECT_EQ(g.ok().values->flags2, 0x04);
    EXPECT_EQ(g.ok().values->attr, 0x40);
}

TEST(NumDispForm, TwoPartAddressOfPlc250) {
    NumDispForm::Preset p = preset();
    p.plcIds = {250, 0};
    p.areaAndBit = 0x20; // device type 2 of COM1: format FFFF
    p.ports[0].wordAreas.areas[2] = {"W", "9999", "9999"};
    p.addressNumber = 778;
    NumDispForm f(p);
    EXPECT_EQ(f.address().fields().addressText, "0010");
    EXPECT_EQ(f.fields().secondAddressText, "0003");
    // Hidden outside entry mode, yet kept: the address comes back whole.
    EXPECT_FALSE(f.shown(NumDispForm::kSecondAddress));
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->addressNumber, 778);

    f.setEntryMode(1);
    EXPECT_TRUE(f.shown(NumDispForm::kSecondAddress));
    f.selectType(1);
    EXPECT_FALSE(f.shown(NumDispForm::kSecondAddress));
    f.selectType(2);
    f.secondKeypadConfirmed("12A");
    o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.focus, NumDispForm::kSecondAddress);
    EXPECT_EQ(o.message, Message::followed(61455, "9999)!"));
}

TEST(NumDispForm, ModelModeOneHidesTheTwoPortControls) {
    NumDispForm::Preset p = preset();
    p.modelMode = 1;
    NumDispForm f(p);
    for (int id : {1174, 1175, 1183, 1176, 1042, 1003, 1051, 1050, 1030, 1031, 1240, 1244, 1171}) {
        EXPECT_FALSE(f.shown(id)) << id;
    }
    EXPECT_TRUE(f.shown(NumDispForm::kMaximum));
    EXPECT_FALSE(f.enabled(NumDispForm::kPanelOptionA));
    f.setEntryMode(1);
    EXPECT_TRUE(f.enabled(NumDispForm::kPanelOptionA));
}

TEST(NumDispForm, ScaleFactorTheWholeNumberCannotHold) {
    NumDispForm f(preset());
    f.fields().scale = 3e9;
    EXPECT_TRUE(f.ok().ok()); // disabled: passed through untouched
    f.fields().scaleOption = true;
    auto o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.focus, NumDispForm::kScaleFactor);
    EXPECT_EQ(o.message, Message::string(objectform::kScaleRange, {"-2147483647", "2147483647"}));
    f.fields().scale = std::nan("");
    EXPECT_EQ(f.ok().focus, NumDispForm::kScaleFactor);
    f.fields().scale = -2147483647.0;
    EXPECT_TRUE(f.ok().ok());
}

TEST(NumDispForm, SecondAddressRefilledWhenTheTypeComesBack) {
    NumDispForm::Preset p = preset();
    p.plcIds = {250, 0};
    p.areaAndBit = 0x20;
    p.attr = 0x20; // entry mode
    p.ports[0].wordAreas.areas[2] = {"W", "9999", "9999"};
    p.addressNumber = 778;
    NumDispForm f(p);
    f.selectType(1);
    f.fields().secondAddressText = "0042";
    f.selectType(2);
    EXPECT_EQ(f.fields().secondAddressText, "0003");
    EXPECT_TRUE(f.shown(NumDispForm::kSecondAddress));
    EXPECT_EQ(f.ok().values->addressNumber, 778);
}

} // namespace
} // namespace dispcraft
