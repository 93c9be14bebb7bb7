#include "SettingsFormSupport.h"
#include "forms/AddressRules.h"
#include "forms/KeyFunctionForm.h"
#include "model/ProjectStore.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;
using K = KeyFunctionForm;

namespace {

K::Preset twoPortPreset() {
    K::Preset p;
    p.cpuId = 2;
    p.hasCom2Link = true;
    p.ports[0] = test::typicalPort();
    p.ports[1] = test::typicalPort();
    return p;
}

K openForm(K::Preset p, RecordingSink& sink) {
    K f(std::move(p));
    f.open(sink);
    return f;
}

} // namespace

TEST(KeyFunction, BitActionPacksPortModeAreaAndBit) {
    RecordingSink sink;
    K f = openForm(twoPortPreset(), sink);
    f.fields().action = K::kBitAction;
    f.actionChanged();
    EXPECT_EQ(f.areaEntries(), (std::vector<std::string>{"X", "Y", "M", "S"}));
    f.fields().port = 1;
    f.portChanged();
    f.fields().area = 3;
    f.fields().bitNumber = 7;
    f.fields().bitMode = 2;
    f.fields().addressText = "0100";
    f.fields().screen = 12;
    auto r = f.ok();
    ASSERT_TRUE(r.ok()) << r.message.id;
    EXPECT_EQ(r.values->flags, 0xC2);
    EXPECT_EQ(r.values->areaBit, 0x37);
    EXPECT_EQ(r.values->address, 100);
    EXPECT_EQ(r.values->screen, 0);
}

TEST(KeyFunction, OpeningDecodesTheFlagByte) {
    RecordingSink sink;
    K::Preset p = twoPortPreset();
    p.flags = 0xC1; // bit action, mode 1, COM2
    p.areaBit = 0x25;
    p.address = 8;
    K f = openForm(p, sink);
    EXPECT_EQ(f.fields().action, K::kBitAction);
    EXPECT_EQ(f.fields().bitMode, 1);
    EXPECT_EQ(f.fields().port, 1);
    EXPECT_EQ(f.fields().area, 2);
    EXPECT_EQ(f.fields().bitNumber, 5);
    EXPECT_EQ(f.fields().addressText, "0008"); // area M is decimal
    EXPECT_TRUE(f.bitModeVisible());
    EXPECT_FALSE(f.wordGroupVisible());
    EXPECT_EQ(f.groupLabel(), Message::string(61545));

    p.flags = 0x0A; // word action, 32 bits, decimal digits
    f = openForm(p, sink);
    EXPECT_EQ(f.fields().action, K::kWordAction);
    EXPECT_EQ(f.fields().wordSize, 1);
    EXPECT_EQ(f.fields().format, 0);
    EXPECT_EQ(f.areaEntries(), (std::vector<std::string>{"D", "T", "C", "W"}));
    EXPECT_EQ(f.groupLabel(), Message::string(61544));
    EXPECT_EQ(f.valueLimits().characters, 8);

    p.flags = 0x04 | 0x01;
    EXPECT_EQ(openForm(p, sink).fields().format, 2);
    p.flags = 0x01;
    EXPECT_EQ(openForm(p, sink).fields().format, 1);

    // The fourth action only where it is offered.
    p.flags = 0x23;
    f = openForm(p, sink);
    EXPECT_EQ(f.fields().action, K::kShowScreen);
    EXPECT_TRUE(f.fields().extraOption);
    p.fourthOffered = true;
    f = openForm(p, sink);
    EXPECT_EQ(f.fields().action, K::kFourthAction);
    EXPECT_FALSE(f.screenGroupVisible());
    EXPECT_FALSE(f.addressGroupVisible());
    EXPECT_TRUE(f.visible(K::kActionFourth));
    EXPECT_TRUE(sink.shown().empty());
}

TEST(KeyFunction, WordValueLimitsPerSizeAndFormat) {
    RecordingSink sink;
    K f = openForm(twoPortPreset(), sink);
    f.fields().action = K::kWordAction;
    f.actionChanged();
    f.fields().addressText = "100";
    f.fields().format = 0;
    f.fields().value = 10000;
    auto r = f.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message.id, 61537);
    EXPECT_EQ(r.focus, K::kValue);
    f.fields().value = 9999;
    r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->flags, 0x09);

    f.fields().wordSize = 1;
    f.fields().format = 2;
    f.fields().value = -100'000'000;
    r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->flags, 0x06);
    EXPECT_EQ(r.values->value, -100'000'000);
    f.fields().value = -100'000'001;
    EXPECT_EQ(f.ok().message.id, 61542);

    f.fields().format = 1;
    f.fields().value = -1;
    EXPECT_EQ(f.ok().message.id, 61541);
    f.fields().wordSize = 0;
    f.fields().value = 65536;
    EXPECT_EQ(f.ok().message.id, 61538);
    f.fields().format = 2;
    f.fields().value = -32769;
    EXPECT_EQ(f.ok().message.id, 61539);
    f.fields().wordSize = 1;
    f.fields().format = 0;
    f.fields().value = 100'000'000;
    EXPECT_EQ(f.ok().message.id, 61540);
}

TEST(KeyFunction, ShowScreenClearsTheAddressPart) {
    RecordingSink sink;
    K::Preset p = twoPortPreset();
    p.extraOffered = true;
    p.areaBit = 0x31;
    p.address = 40;
    p.value = 77;
    K f = openForm(p, sink);
    EXPECT_TRUE(f.visible(K::kExtraOption));
    f.fields().screen = 199;
    f.fields().extraOption = true;
    f.fields().port = 1;
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->flags, 0x20);
    EXPECT_EQ(r.values->areaBit, 0);
    EXPECT_EQ(r.values->address, 0);
    EXPECT_EQ(r.values->value, 0);
    EXPECT_EQ(r.values->screen, 199);
    f.fields().screen = 200;
    r = f.ok();
    EXPECT_EQ(r.message.id, 61537);
    EXPECT_EQ(r.focus, K::kScreenNumber);
    // The extra option belongs to the screen action only.
    f.fields().action = K::kBitAction;
    f.actionChanged();
    EXPECT_FALSE(f.visible(K::kExtraOption));
}

TEST(KeyFunction, AddressIsCheckedAgainstTheChosenArea) {
    RecordingSink sink;
    K f = openForm(twoPortPreset(), sink);
    f.fields().action = K::kBitAction;
    f.actionChanged();
    f.fields().area = 0; // X: octal up to 0377
    f.fields().addressText = "0400";
    auto r = f.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message, Message::followed(61455, "0377)!"));
    EXPECT_EQ(r.focus, K::kAddress);
    f.fields().addressText = "0378";
    EXPECT_FALSE(f.ok().ok());
    f.fields().addressText = "0377";
    EXPECT_EQ(f.ok().values->address, 255);
    f.fields().bitNumber = 16;
    EXPECT_EQ(f.ok().focus, K::kBitNumber);
    AddressKeypadForm k = f.keypad();
    EXPECT_EQ(k.fields().limit, "0377");
    EXPECT_EQ(k.fields().format, "7777");
}

TEST(KeyFunction, OnePortPanel) {
    RecordingSink sink;
    K::Preset p = twoPortPreset();
    p.cpuId = 1;
    p.hasCom2Link = false;
    p.flags = 0x81; // word action on COM2 with no screen
    p.screen = 0;
    K f = openForm(p, sink);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0].id, 61543);
    EXPECT_EQ(f.fields().action, K::kShowScreen);
    EXPECT_FALSE(f.enabled(K::kActionBit));
    EXPECT_EQ(f.portEntries(), (std::vector<std::string>{"COM1"}));
    EXPECT_EQ(f.fields().port, 0);
    // With a screen the word action stays.
    p.screen = 3;
    sink.clear();
    f = openForm(p, sink);
    EXPECT_TRUE(sink.shown().empty());
    EXPECT_EQ(f.fields().action, K::kWordAction);
}

TEST(KeyFunction, BitNumberSetting) {
    RecordingSink sink;
    K::Preset p = twoPortPreset();
    p.ports[1].bitNumberSetting = "NO";
    p.ports[0].bitNumberSetting = "7";
    p.flags = 0xC0;
    p.areaBit = 0x05;
    K f = openForm(p, sink);
    EXPECT_FALSE(f.enabled(K::kBitNumber));
    EXPECT_EQ(f.fields().bitNumber, 0);
    f.fields().port = 0;
    f.portChanged();
    EXPECT_TRUE(f.enabled(K::kBitNumber));
    EXPECT_EQ(f.bitRange(), (SpinRange{0, 7}));
}

TEST(KeyFunction, Com2IsOfferedOnlyWithASecondLink) {
    auto store = std::make_unique<ProjectStore>();
    store->com2LinkName = "No link";
    EXPECT_FALSE(K::hasCom2Link(*store));
    store->com2ProtocolName = "FX_CPU";
    EXPECT_TRUE(K::hasCom2Link(*store));
}

TEST(KeyFunction, KeyRecordFieldsGoInAndComeBack) {
    auto store = std::make_unique<ProjectStore>();
    store->cpuId = 2;
    store->com1Protocol.wordAreas = test::typicalPort().wordAreas.areas;
    store->com1Protocol.bitAreas = test::typicalPort().bitAreas.areas;
    store->com1Protocol.stationText = "15";
    KeyRecord r{};
    r.kind = 137;
    r.flags = 0x0A; // word action, 32 bits, decimal digits
    r.address = 1234;
    r.areaAndBit = 0x20; // area C
    r.word8 = 77;
    r.operand = 12'345'678;
    RecordingSink sink;
    K f = openForm(K::presetFrom(r, *store), sink);
    EXPECT_TRUE(sink.shown().empty());
    EXPECT_EQ(f.fields().action, K::kWordAction);
    EXPECT_EQ(f.fields().wordSize, 1);
    EXPECT_EQ(f.fields().format, 0);
    EXPECT_EQ(f.fields().area, 2);
    EXPECT_EQ(f.fields().addressText, "1234");
    EXPECT_EQ(f.fields().value, 12'345'678);
    EXPECT_EQ(f.portEntries(), (std::vector<std::string>{"COM1"}));
    f.fields().addressText = "0150";
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    KeyRecord back = o.values->applyTo(r);
    EXPECT_EQ(back.kind, 137); // not a function field
    EXPECT_EQ(back.word8, 77u);
    EXPECT_EQ(back.flags, 0x0A);
    EXPECT_EQ(back.address, 150);
    EXPECT_EQ(back.areaAndBit, 0x20);
    EXPECT_EQ(back.screen, 0);
    EXPECT_EQ(back.operand, 12'345'678u);

    // A show-screen action keeps only its screen; a negative value comes back as its bits.
    f.fields().action = K::kShowScreen;
    f.actionChanged();
    f.fields().screen = 42;
    o = f.ok();
    ASSERT_TRUE(o.ok());
    back = o.values->applyTo(r);
    EXPECT_EQ(back.flags, 0);
    EXPECT_EQ(back.screen, 42);
    EXPECT_EQ(back.address, 0);
    EXPECT_EQ(back.operand, 0u);
    r.flags = 0x05; // word action, 16 bits, signed
    r.address = 150;
    r.operand = static_cast<uint32_t>(-5);
    K g = openForm(K::presetFrom(r, *store), sink);
    EXPECT_EQ(g.fields().value, -5);
    auto signedOk = g.ok();
    ASSERT_TRUE(signedOk.ok());
    EXPECT_EQ(signedOk.values->applyTo(r).operand, static_cast<uint32_t>(-5));
}

TEST(KeyFunction, ABitActionKeepsItsWholeDeviceNumberInTheOperand) {
    auto store = std::make_unique<ProjectStore>();
    store->cpuId = 2;
    store->com1Protocol.bitAreas = test::typicalPort().bitAreas.areas;
    store->com1Protocol.wordAreas = test::typicalPort().wordAreas.areas;
    store->com1Protocol.stationText = "15";
    KeyRecord r{};
    r.flags = 0x42; // bit action, mode 2
    r.areaAndBit = 0x23;
    r.address = 70000 & 0xFFFF;
    r.operand = 70000;
    const K::Preset p = K::presetFrom(r, *store);
    EXPECT_EQ(p.address, 70000);
    EXPECT_EQ(p.value, 0); // the operand is no value of a bit action
    EXPECT_FALSE(p.fourthOffered);
    EXPECT_FALSE(p.extraOffered);
    K f(p);
    RecordingSink sink;
    f.open(sink);
    ASSERT_EQ(f.fields().action, K::kBitAction);
    f.fields().addressText = NumberToAddress(1234, f.keypad().fields().format);
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    KeyRecord back = o.values->applyTo(r);
    EXPECT_EQ(back.flags, 0x42);
    EXPECT_EQ(back.address, 1234);
    EXPECT_EQ(back.operand, 1234u);

    // A record of an older file has its device in the 16-bit field only.
    r.operand = 0;
    r.address = 321;
    EXPECT_EQ(K::presetFrom(r, *store).address, 321);

    // The model's alarm view offers the fourth action, its screen password the extra option.
    store->alarmView = 1;
    store->screenPassword = 1;
    const K::Preset offered = K::presetFrom(r, *store);
    EXPECT_TRUE(offered.fourthOffered);
    EXPECT_TRUE(offered.extraOffered);
}
