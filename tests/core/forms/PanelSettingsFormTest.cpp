#include "SettingsFormSupport.h"
#include "forms/PanelSettingsForm.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using P = PanelSettingsForm;

namespace {

P::Preset preset(int mode = 2) {
    P::Preset p;
    p.modelMode = mode;
    p.ports[0] = test::typicalPort();
    p.ports[1] = test::typicalPort();
    p.ports[1].wordAreas = test::makeAreas({{"R", "1777", "7777"}});
    p.plcIds = {9, 250};
    return p;
}

P opened(const P::Preset& p) {
    P f(p);
    RecordingSink sink;
    f.open(sink);
    return f;
}

} // namespace

TEST(PanelSettings, OpeningDecodesOptionsPortsAndAddresses) {
    P::Preset p = preset();
    p.options = 0x0B | 0x40; // both in use, address 2 on COM2, option 1160
    p.areaBit1 = 0x12;
    p.areaBit2 = 0x05;
    p.address1 = 150;
    p.address2 = 8;
    P f = opened(p);
    EXPECT_TRUE(f.fields().use1);
    EXPECT_TRUE(f.fields().use2);
    EXPECT_TRUE(f.fields().optionC);
    EXPECT_EQ(f.address1().fields().port, 0);
    EXPECT_EQ(f.address1().fields().type, 1);
    EXPECT_EQ(f.address1().fields().bitNumber, 2);
    EXPECT_EQ(f.address1().fields().addressText, "0150");
    EXPECT_EQ(f.address2().fields().port, 1);
    EXPECT_EQ(f.address2().fields().addressText, "0010");
    auto r = f.ok();
    ASSERT_TRUE(r.ok()) << r.message.id;
    EXPECT_EQ(r.values->options, 0x4B);
    EXPECT_EQ(r.values->areaBit1, 0x12);
    EXPECT_EQ(r.values->areaBit2, 0x05);
    EXPECT_EQ(r.values->address1, 150);
    EXPECT_EQ(r.values->address2, 8);
}

TEST(PanelSettings, UnusedAddressIsStoredAsZeroWithItsControlsDisabled) {
    P::Preset p = preset();
    p.options = 0x20; // option 1130 without address 1
    p.address1 = 77;
    P f = opened(p);
    EXPECT_FALSE(f.enabled(P::kAddress1));
    EXPECT_FALSE(f.enabled(P::kType1));
    EXPECT_FALSE(f.enabled(P::kOptionB));
    f.fields().use1 = true;
    f.use1Changed();
    EXPECT_TRUE(f.enabled(P::kAddress1));
    EXPECT_TRUE(f.enabled(P::kOptionB));
    f.fields().use1 = false;
    f.use1Changed();
    EXPECT_FALSE(f.fields().optionB);
    f.address1().fields().addressText = "9999"; // beyond D's range, but not in use
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->address1, 0);
    EXPECT_EQ(r.values->options & 0x21, 0);
}

TEST(PanelSettings, AddressesAreCheckedInOrderWhenInUse) {
    P::Preset p = preset();
    p.options = 0x0B;
    P f = opened(p);
    f.address1().fields().addressText = "8000";
    f.address2().fields().addressText = "2000";
    auto r = f.ok();
    EXPECT_EQ(r.message, Message::followed(61455, "7999)!"));
    EXPECT_EQ(r.focus, P::kAddress1);
    f.address1().fields().addressText = "0";
    r = f.ok();
    EXPECT_EQ(r.message, Message::followed(61455, "1777)!"));
    EXPECT_EQ(r.focus, P::kAddress2);
}

TEST(PanelSettings, NumericSettingLimits) {
    P f = opened(preset());
    f.fields().startScreen = 0;
    EXPECT_EQ(f.ok().message.id, 63527);
    EXPECT_EQ(f.ok().focus, P::kStartScreen);
    f.fields().startScreen = 199;
    EXPECT_TRUE(f.ok().ok());
    f.fields().setting4 = 2000;
    EXPECT_EQ(f.ok().message.id, 63529);
    f.fields().setting4 = 1999;
    f.fields().setting1 = 256;
    EXPECT_EQ(f.ok().message.id, 63528);
    f.fields().setting1 = 255;
    f.fields().setting2 = 11;
    EXPECT_EQ(f.ok().message.id, 63530);
    f.fields().setting2 = 10;
    f.fields().setting3 = 10000;
    EXPECT_EQ(f.ok().message.id, 63531);
    f.fields().setting3 = -1;
    EXPECT_EQ(f.ok().message.id, 63531);
    f.fields().setting3 = 9999;
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->setting4, 1999);
    EXPECT_EQ(r.values->setting3, 9999);
}

TEST(PanelSettings, OnePortModel) {
    P::Preset p = preset(1);
    p.options = 0x3F; // bits 4 and 5 set, addresses on COM2
    P f = opened(p);
    EXPECT_EQ(f.address1().portEntries(), (std::vector<std::string>{"COM1"}));
    EXPECT_EQ(f.address2().portEntries(), (std::vector<std::string>{"COM1"}));
    EXPECT_FALSE(f.enabled(P::kOptionB));
    EXPECT_FALSE(f.enabled(P::kOptionA));
    EXPECT_FALSE(f.enabled(P::kOptionD));
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->options & 0x30, 0);
    EXPECT_EQ(r.values->options & 0x0C, 0); // both on COM1
}

TEST(PanelSettings, TableButtonFollowsThePlcIdOfAddress2sPort) {
    P::Preset p = preset();
    p.options = 0x02;
    P f = opened(p);
    EXPECT_FALSE(f.visible(P::kTableButton)); // COM1 has PLC ID 9
    f.address2().fields().port = 1;
    f.port2Changed();
    EXPECT_TRUE(f.visible(P::kTableButton));
    EXPECT_TRUE(f.enabled(P::kTableButton));
    f.fields().use2 = false;
    EXPECT_FALSE(f.enabled(P::kTableButton));
}

TEST(PanelSettings, TableEntriesBeyondTheCountAreCleared) {
    P::Preset p = preset();
    p.tableCount = 4;
    for (size_t i = 0; i < 32; ++i) {
        p.table[i] = static_cast<uint8_t>(i + 1);
    }
    P f = opened(p);
    RecordingSink sink;
    f.editTable(sink, [](BitScreenTableForm& t) -> std::optional<BitScreenTableForm::Values> {
        EXPECT_EQ(t.rows().size(), 4u);
        t.fields().count = 2;
        return t.ok().values;
    });
    EXPECT_EQ(f.fields().tableCount, 2);
    EXPECT_EQ(f.fields().table[1], 2);
    EXPECT_EQ(f.fields().table[2], 0);
    EXPECT_EQ(f.fields().table[31], 0);
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->tableCount, 2);
}

TEST(PanelSettings, HelpNoteIsJoinedInOrder) {
    auto pieces = P::helpPieces();
    ASSERT_GE(pieces.size(), 3u);
    EXPECT_EQ(pieces.front(), Message::string(63532));
    EXPECT_EQ(pieces[1].literal, std::string(46, '*') + "\n");
    EXPECT_EQ(pieces.back(), Message::string(63541));
    int strings = 0;
    for (const Message& m : pieces) {
        strings += m.id != 0;
    }
    EXPECT_EQ(strings, 14);
}
