#include "SettingsFormSupport.h"
#include "forms/ChangeRecordForm.h"
#include "forms/ChangeTableForm.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace dispcraft;
using C = ChangeRecordForm;
using T = ChangeTableForm;

namespace {

std::array<PlcPortAreas, 2> ports(const std::string& com2Bits = "15") {
    std::array<PlcPortAreas, 2> p;
    p[0] = test::typicalPort();
    p[1] = test::typicalPort(com2Bits);
    p[1].wordAreas = test::makeAreas({{"R", "1777", "7777"}, {"DM", "9999", "9999"}});
    return p;
}

C::Preset preset() {
    C::Preset p;
    p.ports = ports();
    p.maximum = 16;
    return p;
}

ChangeRecord record(uint8_t b0, uint8_t len, uint8_t b2, uint8_t b3, uint16_t w4, uint16_t w6) {
    ChangeRecord r{};
    r.options = b0;
    r.length = len;
    r.firstBitAndArea = b2;
    r.secondBitAndArea = b3;
    r.firstAddress = w4;
    r.secondAddress = w6;
    return r;
}

} // namespace

TEST(ChangeRecord, PacksTheEightByteRecord) {
    C::Preset p = preset();
    p.first = {2, 100, 0};
    p.second = {1, 200, 3};
    p.count = 4;
    p.option = 1;
    C f(p);
    EXPECT_EQ(f.fields().firstText, "0100"); // C: decimal
    EXPECT_EQ(f.fields().secondText, "0200"); // DM: decimal
    auto r = f.ok();
    ASSERT_TRUE(r.ok()) << r.message.id;
    ChangeRecord packed = r.values->pack();
    const uint8_t expected[8] = {0x80, 0x04, 0x02, 0x31, 100, 0, 200, 0};
    EXPECT_EQ(std::memcmp(&packed, expected, 8), 0);
    // And back.
    C::Preset back = C::presetFrom(packed);
    EXPECT_EQ(back.option, 1);
    EXPECT_EQ(back.count, 4);
    EXPECT_EQ(back.first.area, 2);
    EXPECT_EQ(back.second.bit, 3);
    EXPECT_EQ(back.second.address, 200);
}

TEST(ChangeRecord, CountRangeAndChecksInOrder) {
    C::Preset p = preset();
    p.maximum = 0;
    C f(p);
    EXPECT_EQ(f.countRange(), (SpinRange{1, 1}));
    f.fields().count = 2;
    auto r = f.ok();
    EXPECT_EQ(r.message.id, 61533);
    EXPECT_EQ(r.focus, C::kCount);
    f.fields().count = 0;
    EXPECT_EQ(f.ok().focus, C::kCount);
    f.fields().count = 1;
    f.fields().firstText = "8000"; // D: up to 7999
    f.fields().secondText = "2000"; // R: octal up to 1777
    r = f.ok();
    EXPECT_EQ(r.message, Message::followed(61455, "7999)!"));
    EXPECT_EQ(r.focus, C::kFirstAddress);
    f.fields().firstText = "7999";
    r = f.ok();
    EXPECT_EQ(r.message, Message::followed(61455, "1777)!"));
    EXPECT_EQ(r.focus, C::kSecondAddress);
    f.fields().secondText = "1777";
    r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->first.address, 7999);
    EXPECT_EQ(r.values->second.address, 1023);
    f.fields().firstBit = 16;
    EXPECT_EQ(f.ok().focus, C::kFirstBit);
}

TEST(ChangeRecord, NoBitNumberSettingGivesBitZero) {
    C::Preset p = preset();
    p.ports = ports("NO");
    p.second = {0, 0, 9};
    p.first = {0, 0, 5};
    C f(p);
    EXPECT_FALSE(f.enabled(C::kSecondBit));
    EXPECT_TRUE(f.enabled(C::kFirstBit));
    auto r = f.ok();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.values->second.bit, 0);
    EXPECT_EQ(r.values->first.bit, 5);
}

TEST(ChangeRecord, KeypadPerSide) {
    C f(preset());
    AddressKeypadForm k = f.keypad(1);
    EXPECT_EQ(k.fields().limit, "1777");
    k.key('7');
    f.keypadConfirmed(1, *k.ok().values);
    EXPECT_EQ(f.fields().secondText, "0007");
    EXPECT_EQ(f.keypad(0).fields().limit, "7999");
}

TEST(ChangeTable, RowsShowBothAddressesDirectionAndCount) {
    T::Preset p;
    p.ports = ports();
    p.count = 2;
    p.records[0] = record(0x80, 4, 0x02, 0x31, 100, 8);
    p.records[1] = record(0x00, 1, 0x50, 0x00, 7, 0);
    T t(p);
    ASSERT_EQ(t.rows().size(), 2u);
    EXPECT_EQ(t.rows()[0].columns, (std::array<std::string, 5>{"00", "(00_C)0100", "<-",
                                                                "(03_DM)0008", "4"}));
    EXPECT_EQ(t.rows()[1].columns[1], "(05_D)0007");
    EXPECT_EQ(t.rows()[1].columns[2], "->");
    EXPECT_EQ(t.rows()[1].columns[3], "(00_R)0000");
}

TEST(ChangeTable, AddEditDelete) {
    T::Preset p;
    p.ports = ports();
    p.maximum = 3;
    p.recordMaximum = 16;
    p.count = 3;
    p.records[0] = record(0, 1, 0, 0, 1, 1);
    p.records[1] = record(0, 2, 0, 0, 2, 2);
    p.records[2] = record(0, 3, 0, 0, 3, 3);
    T t(p);
    RecordingSink sink;
    bool opened = false;
    auto never = [&](C&) -> std::optional<C::Values> {
        opened = true;
        return std::nullopt;
    };
    t.add(sink, never);
    EXPECT_FALSE(opened);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0], Message::text("不能再增加了！"));
    EXPECT_EQ(t.count(), 3);

    t.edit(sink, never);
    EXPECT_EQ(sink.shown().back().id, 61643);
    t.remove(sink);
    EXPECT_EQ(sink.shown().back().id, 61644);

    t.select(0);
    t.remove(sink);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.records()[0].length, 2);
    EXPECT_EQ(t.records()[1].length, 3);

    // A new entry starts with count 1 and everything else 0.
    long long presetCount = 0;
    int presetMax = 0;
    t.add(sink, [&](C& f) -> std::optional<C::Values> {
        presetCount = f.fields().count;
        presetMax = f.countRange().high;
        f.fields().count = 9;
        f.fields().option = 1;
        return *f.ok().values;
    });
    EXPECT_EQ(presetCount, 1);
    EXPECT_EQ(presetMax, 16);
    ASSERT_EQ(t.count(), 3);
    EXPECT_EQ(t.records()[2].length, 9);
    EXPECT_EQ(t.records()[2].options, 0x80);
    EXPECT_EQ(t.rows()[2].columns[2], "<-");

    t.select(1);
    t.edit(sink, [&](C& f) -> std::optional<C::Values> {
        EXPECT_EQ(f.fields().count, 3);
        f.fields().count = 5;
        return *f.ok().values;
    });
    EXPECT_EQ(t.records()[1].length, 5);
    auto v = t.ok();
    EXPECT_EQ(v.count, 3);
    EXPECT_EQ(v.records[1].length, 5);
}

TEST(ChangeTable, CountAboveTheMaximumIsCut) {
    T::Preset p;
    p.ports = ports();
    p.maximum = 2;
    p.count = 5;
    T t(p);
    EXPECT_EQ(t.rows().size(), 2u);
    EXPECT_EQ(t.ok().count, 2);
}
