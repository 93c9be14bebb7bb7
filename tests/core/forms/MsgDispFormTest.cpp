#include "forms/MsgDispForm.h"

#include "ObjectFormTestSupport.h"

#include <gtest/gtest.h>

namespace dispcraft {
namespace {

MsgDispForm::Preset preset() {
    MsgDispForm::Preset p;
    p.portCount = 2;
    p.ports = test::testPorts();
    p.emptyText = "(none)";
    for (int i = 0; i < 3; ++i) {
        p.texts[static_cast<size_t>(i)] = "T" + std::to_string(i);
    }
    return p;
}

TEST(MsgDispForm, EmptyTextsShowAndKeepTheEmptyString) {
    MsgDispForm f(preset());
    auto rows = f.rows();
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[2].text, "T2");
    EXPECT_EQ(rows[3].text, "(none)");
    EXPECT_EQ(rows[15].index, "15");
    auto o = f.ok();
    ASSERT_TRUE(o.ok()) << o.message.id;
    EXPECT_EQ(o.values->texts[0], "T0");
    EXPECT_EQ(o.values->texts[15], "(none)");
}

TEST(MsgDispForm, InPlaceEditsAreLimitedTo24Bytes) {
    MsgDispForm f(preset());
    EXPECT_FALSE(f.editText(4, std::string(24, 'x')));
    EXPECT_EQ(f.text(4), std::string(24, 'x'));
    // Thirteen two-byte characters are 26 bytes although only 13 characters.
    std::string wide;
    for (int i = 0; i < 13; ++i) {
        wide += "\xE4\xB8\xAD";
    }
    EXPECT_EQ(f.editText(4, wide), Message::string(61450));
    EXPECT_EQ(f.text(4), std::string(24, 'x'));
    EXPECT_EQ(f.editText(5, "\xF0\x9F\x98\x80")->id, objectform::kNotGb2312);

    // An emptied text 0 is stored as one blank.
    EXPECT_FALSE(f.editText(0, ""));
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->texts[0], " ");
    EXPECT_EQ(o.values->texts[4], std::string(24, 'x'));
}

TEST(MsgDispForm, AttrBitsAndAreaByte) {
    MsgDispForm::Preset p = preset();
    p.attr = 0x80;
    p.areaAndBit = 0x13; // device type 1, bit 3
    p.addressNumber = 42;
    MsgDispForm f(p);
    EXPECT_EQ(f.reverse(), 1);
    EXPECT_EQ(f.address().fields().type, 1);
    EXPECT_EQ(f.address().fields().bitNumber, 3);
    EXPECT_EQ(f.address().fields().addressText, "0042");
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr, 0x90);
    EXPECT_EQ(o.values->areaAndBit, 0x13);
    EXPECT_EQ(o.values->addressNumber, 42);

    f.address().fields().type = 0;
    f.reverse() = 0;
    o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr & 0x10, 0);
    EXPECT_EQ(o.values->areaAndBit, 0x03);

    objectaddress::selectPort(f.address(), 1);
    o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr, 0x04);
}

TEST(MsgDispForm, OctalAddressAndItsRefusal) {
    MsgDispForm f(preset());
    f.address().fields().addressText = "0010"; // type 0: format 7777
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->addressNumber, 8);
    f.address().fields().addressText = "0018";
    o = f.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::followed(61455, "1777)!"));
    EXPECT_EQ(o.focus, MsgDispForm::kAddress);
}

TEST(MsgDispForm, PortFallbackAndBitNumbers) {
    // COM2 wanted on a one-port model: only COM1 is offered.
    MsgDispForm::Preset p = preset();
    p.portCount = 1;
    p.attr = 0x04;
    p.areaAndBit = 0x57;
    MsgDispForm one(p);
    EXPECT_EQ(one.address().portEntries(), std::vector<std::string>{"COM1"});
    EXPECT_EQ(one.address().fields().type, 5);
    EXPECT_EQ(one.address().fields().bitNumber, 7);
    EXPECT_EQ(one.ok().values->attr, 0x10);

    // Six types with type 5 chosen, then a port with three: type 0.
    p.portCount = 2;
    p.attr = 0;
    MsgDispForm g(p);
    objectaddress::selectPort(g.address(), 1);
    EXPECT_EQ(g.address().fields().type, 0);
    EXPECT_EQ(g.address().fields().bitNumber, 0);
    EXPECT_FALSE(g.address().bitEnabled());
    auto o = g.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->areaAndBit, 0x00);
    EXPECT_EQ(o.values->attr, 0x04);

    // Opening on a port without bit numbers forces bit 0 whatever the stored nibble says.
    p.attr = 0x04;
    p.areaAndBit = 0x1F;
    MsgDispForm no(p);
    EXPECT_EQ(no.ok().values->areaAndBit, 0x10);

    g.address().fields().port = 0;
    g.address().portChanged();
    g.address().fields().bitNumber = 16;
    o = g.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, objectform::rangeMessage(0, 15));
    EXPECT_EQ(o.focus, MsgDispForm::kBitNumber);
}

} // namespace
} // namespace dispcraft
