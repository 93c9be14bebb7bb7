#include "SettingsFormSupport.h"
#include "forms/FormMessages.h"
#include "forms/PlcAddressGroup.h"
#include "text/LanguageStrings.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using test::makeAreas;
using test::typicalPort;

namespace {

PlcAddressGroup makeGroup(int portCount, const std::string& com2BitSetting = "15") {
    PlcAddressGroup::Context c;
    c.portCount = portCount;
    c.ports[0] = typicalPort();
    c.ports[1] = typicalPort(com2BitSetting);
    c.ports[1].wordAreas = makeAreas({{"R", "1777", "7777"}, {"DM", "9999", "9999"}});
    return PlcAddressGroup(c, {1134, 1008, 1098, 1097, 1002});
}

} // namespace

TEST(AreaTable, ListEndsAtTheFirstEndOrEmptyName) {
    AreaTable t = makeAreas({{"D", "7999", "9999"}, {"T", "0255", "9999"}});
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.names(), (std::vector<std::string>{"D", "T"}));
    EXPECT_EQ(t.range(1), "0255");
    EXPECT_EQ(t.format(2), "");
    EXPECT_EQ(t.at(-1), nullptr);
    t.areas[5].name = "Z"; // after a gap: not offered
    EXPECT_EQ(t.count(), 2);
    AreaTable empty; // never filled
    EXPECT_EQ(empty.count(), 0);
}

TEST(PlcAddressGroup, OpeningDecodesPortTypeBitAndAddress) {
    PlcAddressGroup g = makeGroup(2);
    g.open(1, 0x13, 15);
    EXPECT_EQ(g.fields().port, 1);
    EXPECT_EQ(g.typeEntries(), (std::vector<std::string>{"R", "DM"}));
    EXPECT_EQ(g.fields().type, 1);
    EXPECT_EQ(g.fields().bitNumber, 3);
    EXPECT_EQ(g.fields().addressText, "0015");
    EXPECT_EQ(g.areaBit(), 0x13);
    // A type beyond the list falls back to the first one.
    g.open(1, 0x50, 8);
    EXPECT_EQ(g.fields().type, 0);
    EXPECT_EQ(g.fields().addressText, "0010");
}

TEST(PlcAddressGroup, OnePortModelOffersOnlyCom1) {
    PlcAddressGroup g = makeGroup(1);
    g.open(1, 0x00, 0);
    EXPECT_EQ(g.portEntries(), (std::vector<std::string>{"COM1"}));
    EXPECT_EQ(g.fields().port, 0);
    EXPECT_EQ(g.typeEntries().size(), 4u);
}

TEST(PlcAddressGroup, NoBitNumberSettingForcesZero) {
    PlcAddressGroup g = makeGroup(2, "NO");
    g.open(1, 0x17, 0);
    EXPECT_FALSE(g.bitEnabled());
    EXPECT_EQ(g.fields().bitNumber, 0);
    EXPECT_EQ(g.areaBit(), 0x10);
    g.fields().port = 0;
    g.portChanged();
    EXPECT_TRUE(g.bitEnabled());
    g.fields().bitNumber = 9;
    g.fields().port = 1;
    g.portChanged();
    EXPECT_EQ(g.fields().bitNumber, 0);
}

TEST(PlcAddressGroup, PortChangeKeepsTheTypeOnlyWhileItExists) {
    PlcAddressGroup g = makeGroup(2);
    g.open(0, 0x30, 0);
    EXPECT_EQ(g.fields().type, 3);
    g.fields().port = 1;
    g.portChanged();
    EXPECT_EQ(g.fields().type, 0);
    g.fields().type = 1;
    g.fields().port = 0;
    g.portChanged();
    EXPECT_EQ(g.fields().type, 1);
}

TEST(PlcAddressGroup, CheckGivesTheNumberOrTheRangeMessage) {
    PlcAddressGroup g = makeGroup(2);
    g.open(1, 0x00, 0);
    g.fields().addressText = "0010";
    auto r = g.check();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r.values, 8);
    g.fields().addressText = "2000";
    r = g.check();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message, Message::followed(61455, "1777)!"));
    EXPECT_EQ(r.focus, 1097);
    g.fields().bitNumber = 16;
    auto b = g.checkBitNumber();
    ASSERT_FALSE(b.ok());
    EXPECT_EQ(b.focus, 1098);
}

TEST(PlcAddressGroup, KeypadUsesTheChosenTypeAndPadsItsText) {
    PlcAddressGroup g = makeGroup(2);
    g.open(0, 0x30, 0);
    AddressKeypadForm k = g.keypad();
    EXPECT_EQ(k.fields().limit, "FF15");
    EXPECT_EQ(k.fields().format, "FF19");
    k.key('1');
    k.key('5');
    auto r = k.ok();
    ASSERT_TRUE(r.ok());
    g.keypadConfirmed(*r.values);
    EXPECT_EQ(g.fields().addressText, "0015");
}

TEST(PlcAddressGroup, UnusableFormatReportsOnOpening) {
    PlcAddressGroup::Context c;
    c.ports[0].wordAreas = makeAreas({{"D", "end", "end"}});
    PlcAddressGroup g(c, {1, 2, 3, 4, 5});
    RecordingSink sink;
    g.open(0, 0, 12, &sink);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0].id, 61536);
    EXPECT_FALSE(g.check().ok());
}

TEST(PlcAddressGroup, RangeMessageShowsTheRangeAfterTheLanguageText) {
    const LanguageStrings& lang = LanguageStrings::builtin();
    Message m = formmsg::addressRange("1777");
    EXPECT_EQ(lang.format(m), lang.text(61455) + "1777)!");
    EXPECT_EQ(lang.format(formmsg::lastBitRange("0377")), lang.text(61456) + "0377)!");
}
