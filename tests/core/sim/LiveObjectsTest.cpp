// What each object kind shows of the PLC data, and what alarm groups and change records do.

#include "SimTestSupport.h"

#include "objects/NumDispImageRecord.h"
#include "sim/SimulatedClock.h"

using namespace simtest;

namespace {

int litIn(const LcdDots& lcd, int x, int y, int w, int h) {
    int n = 0;
    for (int r = y; r < y + h; ++r) {
        for (int c = x; c < x + w; ++c) {
            n += lcd.lit(c, r) ? 1 : 0;
        }
    }
    return n;
}

TEST(NumDispText, DigitsDecimalsSignAndWhatDoesNotFit) {
    NumDispImageRecord n;
    n.digits = 5;
    n.decimals = 2;
    EXPECT_EQ(n.valueText(12345), "123.45");
    EXPECT_EQ(n.valueText(5), "  0.05");
    EXPECT_EQ(n.valueText(123456), "******");
    EXPECT_EQ(n.valueText(std::nullopt), "******") << "a BCD word with a nibble above 9";
    n.attributes = NumDispImageRecord::kSigned;
    EXPECT_EQ(n.valueText(-12345), "-123.45");
    EXPECT_EQ(n.valueText(7), "   0.07");
    n.decimals = 0;
    n.digits = 3;
    EXPECT_EQ(n.valueText(-999), "-999");
}

TEST(NumDispText, WordsAreReadInTheirCodingAndWidth) {
    SimProject p;
    auto add = [&](int dy, uint8_t attr, uint16_t address) {
        NumDispRecord& r = addNumDisp(*p.store, 1, atX(0), atY(dy));
        r.attr = attr;
        r.address = address;
        r.digits = 8;
        return &r;
    };
    add(0, 0x40, 10);        // BCD
    add(16, 0x08 | 0x10, 20); // signed, two words
    NumDispRecord* scaled = add(32, 0, 30);
    scaled->options = 0x01;
    scaled->setScale(3.0f);
    p.dir.remove("asc16"); // the built-in figures, whose blank is blank
    auto sim = p.start();
    sim->plc().setWord(0, 0, 10, 0x0042);
    sim->plc().setWord(0, 0, 20, 0xFFFF);
    sim->plc().setWord(0, 0, 21, 0xFFFF);
    sim->plc().setWord(0, 0, 30, 7);
    const auto& nums = sim->image().screen(1)->records<NumDispImageRecord>();
    ASSERT_EQ(nums.size(), 3u);
    const NumDispImageRecord& bcd = nums[0];
    EXPECT_EQ(bcd.coding().decode(bcd.coding().read(sim->plc(), 0, 0, 10)), 42);
    const NumDispImageRecord& wide = nums[1];
    EXPECT_EQ(wide.coding().decode(wide.coding().read(sim->plc(), 0, 0, 20)), -1);
    // The scaled one shows 21 in its eight places: two figures at the right end are lit.
    const LcdDots& lcd = sim->panel().render();
    EXPECT_EQ(litIn(lcd, 0, 32, 6 * 8, 16), 0);
    EXPECT_GT(litIn(lcd, 6 * 8, 32, 2 * 8, 16), 0);
}

TEST(LiveObjects, ClockFormShowsTheSimulatedClock) {
    const PanelClock start = SimulatedClock::at(0);
    EXPECT_EQ(start.year, 2024);
    EXPECT_EQ(start.weekday, 1);
    // 2024 is a leap year: day 60 after 1 January is 1 March, a Friday.
    const PanelClock c = SimulatedClock::at((60LL * 86400 + 3 * 3600 + 4 * 60 + 5) * 1000);
    EXPECT_EQ(c.month, 3);
    EXPECT_EQ(c.day, 1);
    EXPECT_EQ(c.weekday, 5);
    NumDispImageRecord n;
    n.address = NumDispImageRecord::kMinute;
    EXPECT_EQ(n.clockText(c), "04");
    n.address = NumDispImageRecord::kYear;
    EXPECT_EQ(n.clockText(c), "24");
}

TEST(LiveObjects, MessageLampAndBarFollowTheirPlcData) {
    SimProject p;
    MsgDispRecord& m = addMsgDisp(*p.store, 1, atX(0), atY(0), {"A", "BB", "", "C"});
    m.address = 5;
    p.dir.lamp("lamp01_16x16", 16, {{15, 0}, {15, 16 + 1}}); // top-left dot of each picture
    LampRecord& l = addLamp(*p.store, 1, atX(100), atY(0), "lamp01_16x16");
    l.address = 3;
    l.areaAndBit = 0x12; // bit area 1 (X), bit number 2
    BarGraphRecord& b = p.store->screens[1].barGraphs[p.store->entries[1].barCount++];
    b = BarGraphRecord{};
    b.kind = kKindBarGraph;
    b.x = atX(0);
    b.y = atY(40);
    b.attr = 0x03; // rightward
    b.address = 6;
    b.maximum = -1; // unsigned 65535
    b.minimum = 0;
    b.length = 100;
    b.thickness = 16;
    auto sim = p.start();
    SimulatedPlc& plc = sim->plc();
    const ScreenImage& s = *sim->image().screen(1);
    const MsgDispImageRecord& md = s.records<MsgDispImageRecord>()[0];
    const auto& list = sim->image().screenTexts;
    EXPECT_EQ(md.message(list, 1).size(), 2u);
    EXPECT_EQ(md.message(list, 2).size(), 0u);
    EXPECT_EQ(md.message(list, 3).size(), 1u);
    EXPECT_EQ(md.message(list, 15).size(), 0u);

    auto lampTop = [&] { return std::pair{sim->panel().render().lit(100, 1), sim->panel().render().lit(101, 1)}; };
    EXPECT_EQ(lampTop(), (std::pair{true, false})) << "first picture while the bit is 0";
    plc.setBit(0, 1, 3, 2, true);
    EXPECT_EQ(lampTop(), (std::pair{false, true})) << "second picture while it is 1";

    const BarGraphImageRecord& bar = s.records<BarGraphImageRecord>()[0];
    EXPECT_EQ(bar.top(), 65535) << "an unsigned maximum stored as -1";
    EXPECT_EQ(bar.filled(32767, 96), 47);
    EXPECT_EQ(bar.filled(70000, 96), 96);
    plc.setWord(0, 0, 6, 65535);
    EXPECT_EQ(litIn(sim->panel().render(), 2, 42, 96, 1), 96);
    plc.setWord(0, 0, 6, 0);
    EXPECT_EQ(litIn(sim->panel().render(), 2, 42, 96, 1), 0);
}

TEST(LiveObjects, TrendSamplesEverySampleTimeAndMovesOn) {
    SimProject p;
    TrendGraphRecord& t = p.store->screens[1].trendGraphs[p.store->entries[1].trendCount++];
    t = TrendGraphRecord{};
    t.kind = kKindTrendGraph;
    t.x = atX(0);
    t.y = atY(0);
    t.address = 9;
    t.maximum = 100;
    t.minimum = 0;
    t.settingA = 2; // a sample every 2 s
    t.spacing = 4;
    t.pointCount = 3;
    t.width = 4 * 4 + 3;
    t.height = 40;
    auto sim = p.start();
    const TrendGraphImageRecord& rec = sim->image().screen(1)->records<TrendGraphImageRecord>()[0];
    // The newest sample is the right end of the curve once the graph is full: at x = 3 + 3 x 4.
    auto sampleRow = [&](int x) {
        const LcdDots& lcd = sim->panel().render();
        for (int y = 0; y <= 37; ++y) {
            if (lcd.lit(x, y)) {
                return y;
            }
        }
        return -1;
    };
    EXPECT_EQ(sampleRow(3), 37) << "the first sample at once, value 0 at the bottom";
    EXPECT_EQ(sampleRow(7), -1);
    sim->plc().setWord(0, 0, 9, 100);
    sim->advance(1900);
    EXPECT_EQ(sampleRow(7), -1) << "not yet due";
    sim->advance(100);
    EXPECT_EQ(sampleRow(7), 0) << "the maximum at the top";
    sim->advance(6000);
    EXPECT_EQ(sampleRow(3 + 3 * 4), 0);
    EXPECT_EQ(sampleRow(3), 0) << "the first sample has moved out";
    EXPECT_EQ(rec.periodMs(), 2000);
}

TEST(LiveObjects, AlarmsAreLoggedAndTheNewestFillsTheBottomRow) {
    SimProject p;
    p.store->alarmGroupCount = 2;
    AlarmBlock& a = p.store->alarms[0];
    a.startAddress = 100;
    a.count = 3;
    a.areaAndBit = 0x00;
    a.options = 1; // shown on the LCD
    setAlarm(*p.store, 0, 0, "AB");
    setAlarm(*p.store, 0, 1, "C");
    setAlarm(*p.store, 0, 2, "D");
    AlarmBlock& b = p.store->alarms[1];
    b.startAddress = 7;
    b.count = 1;
    b.areaAndBit = 0x13; // X, bit 3
    b.options = 4;    // on COM2, not shown
    setAlarm(*p.store, 1, 0, "E");
    auto sim = p.start();
    ASSERT_EQ(sim->image().alarmGroups.size(), 2u);
    EXPECT_EQ(litIn(sim->panel().render(), 0, 48, 192, 16), 0);
    sim->plc().setBit(0, 0, 102, 0, true);
    sim->plc().setBit(1, 1, 7, 3, true);
    sim->advance(100);
    const auto active = sim->panel().activeAlarms();
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[0].group, 0);
    EXPECT_EQ(active[0].message, 2);
    // Reverse video across the row: mostly lit.
    EXPECT_GT(litIn(sim->panel().render(), 0, 48, 192, 16), 192 * 16 / 2);
    sim->plc().setBit(0, 0, 102, 0, false);
    sim->advance(100);
    EXPECT_EQ(litIn(sim->panel().render(), 0, 48, 192, 16), 0) << "group 2 does not ask for the row";
    const auto& log = sim->panel().alarmLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], (AlarmEvent{200, 0, 2, false}));
}

TEST(LiveObjects, ChangeRecordsCopyWordsEitherWay) {
    SimProject p;
    p.store->changeCount = 2;
    p.store->changes[0] = ChangeRecord{0x00, 2, 0x00, 0x00, 100, 200}; // COM1 -> COM2
    p.store->changes[1] = ChangeRecord{0x80, 1, 0x00, 0x00, 300, 400}; // COM2 -> COM1
    auto sim = p.start();
    SimulatedPlc& plc = sim->plc();
    plc.setWord(0, 0, 101, 11);
    plc.setWord(1, 0, 400, 22);
    plc.setWord(0, 0, 300, 33);
    sim->advance(100);
    EXPECT_EQ(plc.word(1, 0, 201), 11);
    EXPECT_EQ(plc.word(0, 0, 300), 22);
    EXPECT_EQ(plc.word(1, 0, 202), 0) << "two words only";
}

} // namespace
