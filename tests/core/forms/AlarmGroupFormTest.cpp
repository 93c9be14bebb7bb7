#include "SettingsFormSupport.h"
#include "forms/AlarmGroupForm.h"
#include "text/Gb2312.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

using namespace dispcraft;
using A = AlarmGroupForm;

namespace {

A::Preset preset() {
    A::Preset p;
    p.ports[0] = test::typicalPort();
    p.ports[1] = test::typicalPort();
    p.ports[1].bitAreas = test::makeAreas({{"R", "0099", "9999"}, {"L", "0099", "9999"}});
    p.emptyText = "(no text)";
    return p;
}

std::string gb(const std::string& utf8) { return Gb2312::fromUtf8(utf8).text; }

} // namespace

TEST(AlarmGroup, RowsFollowTheStartAddressInTheAreaFormat) {
    A::Preset p = preset();
    p.startAddress = 8; // octal 0010
    p.count = 3;
    p.texts = {gb("Motor overheated"), "", gb("油压低")};
    A f(p);
    RecordingSink sink;
    f.open(sink);
    EXPECT_TRUE(sink.shown().empty());
    EXPECT_EQ(f.fields().startText, "0010");
    ASSERT_EQ(f.rows().size(), 3u);
    EXPECT_EQ(f.rows()[0].bitLabel, "0010=ON");
    EXPECT_EQ(f.rows()[1].bitLabel, "0011=ON");
    EXPECT_EQ(f.rows()[2].bitLabel, "0012=ON");
    EXPECT_EQ(f.rows()[0].text, "Motor overheated");
    EXPECT_EQ(f.rows()[1].text, "(no text)"); // and the text becomes it
    EXPECT_EQ(f.rows()[2].text, "油压低");
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->texts, (std::vector<std::string>{gb("Motor overheated"), "(no text)",
                                                         gb("油压低")}));
    EXPECT_EQ(r.values->startAddress, 8u);
    EXPECT_EQ(r.values->count, 3);
}

TEST(AlarmGroup, CountBeyondTheAreaIsReset) {
    A::Preset p = preset();
    p.areaBit = 0x00; // X: up to octal 0377 = 255
    p.startAddress = 250;
    p.count = 6; // bits 250..255: fits
    A f(p);
    RecordingSink sink;
    f.open(sink);
    EXPECT_EQ(f.rows().size(), 6u);
    f.fields().count = 7;
    EXPECT_EQ(f.rebuild(sink), A::kCount);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0], Message::followed(61456, "0377)!"));
    EXPECT_EQ(f.fields().count, 0);
    EXPECT_TRUE(f.rows().empty());
}

TEST(AlarmGroup, CountAboveTheMaximumIsLimited) {
    A::Preset p = preset();
    p.areaBit = 0x20; // M: decimal up to 3071
    A f(p);
    RecordingSink sink;
    f.open(sink);
    EXPECT_EQ(f.countRange(), (SpinRange{0, 48}));
    f.fields().count = 60;
    EXPECT_EQ(f.rebuild(sink), 0);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0], Message::string(61451, {"48"}));
    EXPECT_EQ(f.fields().count, 48);
    EXPECT_EQ(f.rows().size(), 48u);
    // OK without the focus loss refuses too rather than storing more than it may.
    f.fields().count = 65;
    auto r = f.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message.id, 61451);
    EXPECT_EQ(f.fields().count, 48);
}

TEST(AlarmGroup, InvalidStartAddressBecomesZero) {
    A::Preset p = preset();
    p.count = 2;
    A f(p);
    RecordingSink sink;
    f.open(sink);
    f.fields().startText = "0400";
    EXPECT_EQ(f.rebuild(sink), A::kStartAddress);
    EXPECT_EQ(sink.shown().back(), Message::followed(61455, "0377)!"));
    EXPECT_EQ(f.fields().startText, "0");
    EXPECT_TRUE(f.rows().empty());
    EXPECT_EQ(f.rebuild(sink), 0);
    EXPECT_EQ(f.fields().startText, "0000");
}

TEST(AlarmGroup, PortsAndAreas) {
    A::Preset p = preset();
    p.cpuId = 1;
    p.port = 1;
    A f(p);
    RecordingSink sink;
    f.open(sink);
    EXPECT_EQ(f.portEntries(), (std::vector<std::string>{"COM1"}));
    EXPECT_EQ(f.fields().port, 0);

    p.cpuId = 2;
    p.port = 0;
    p.areaBit = 0x12;
    p.startAddress = 0;
    p.count = 1;
    A g(p);
    g.open(sink);
    EXPECT_EQ(g.areaEntries().size(), 4u);
    EXPECT_EQ(g.fields().area, 1);
    EXPECT_EQ(g.fields().bitNumber, 2);
    g.fields().port = 1;
    sink.clear();
    g.portChanged(sink);
    EXPECT_EQ(g.areaEntries(), (std::vector<std::string>{"R", "L"}));
    EXPECT_EQ(g.fields().area, 1); // exists on COM2 too
    g.fields().area = 1;
    g.fields().port = 0;
    g.portChanged(sink);
    g.fields().area = 3;
    g.fields().port = 1;
    g.portChanged(sink);
    EXPECT_EQ(g.fields().area, 0);
    EXPECT_TRUE(sink.shown().empty());
    auto r = g.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->port, 1);
    EXPECT_EQ(r.values->areaBit, 0x02);
}

TEST(AlarmGroup, TextEditsAreLimitedTo24Bytes) {
    A::Preset p = preset();
    p.count = 2;
    A f(p);
    RecordingSink sink;
    f.open(sink);
    EXPECT_TRUE(f.textEdited(0, std::string(24, 'x'), sink));
    EXPECT_EQ(f.rows()[0].text, std::string(24, 'x'));
    EXPECT_FALSE(f.textEdited(1, std::string(25, 'y'), sink));
    EXPECT_EQ(sink.shown().back().id, 61450);
    EXPECT_EQ(f.rows()[1].text, "(no text)");
    // Twelve Chinese characters are 24 bytes; thirteen are too many.
    EXPECT_TRUE(f.textEdited(1, "一二三四五六七八九十一二", sink));
    EXPECT_FALSE(f.textEdited(1, "一二三四五六七八九十一二三", sink));
    EXPECT_FALSE(f.textEdited(1, "€", sink));
    EXPECT_EQ(sink.shown().back().args.at(0), "€");
    EXPECT_FALSE(f.textEdited(5, "beyond the count", sink));
}

TEST(AlarmGroup, OkChecksTheBitNumberFirst) {
    A::Preset p = preset();
    p.option1 = true;
    p.option2Enabled = false;
    A f(p);
    RecordingSink sink;
    f.open(sink);
    EXPECT_FALSE(f.enabled(A::kOption2));
    f.fields().bitNumber = 16;
    f.fields().startText = "0400";
    auto r = f.ok();
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.message.id, 61447);
    EXPECT_EQ(r.focus, A::kBitNumber);
    f.fields().bitNumber = 15;
    r = f.ok();
    EXPECT_EQ(r.message, Message::followed(61455, "0377)!"));
    EXPECT_EQ(f.fields().startText, "0");
    r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.values->option1);
    EXPECT_EQ(r.values->areaBit, 0x0F);
}
