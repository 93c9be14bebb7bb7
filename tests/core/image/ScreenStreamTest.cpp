#include "BuildTestSupport.h"

#include "image/BuildMessages.h"

#include <cmath>
#include <limits>

using namespace buildtest;

namespace {

struct Built {
    BuildResult result;
    std::vector<uint8_t> img;
    size_t screen(int s) const { return u16(img, 40 + 2 * static_cast<size_t>(s)); }
    // Entry i of the screen text glyph-index list.
    unsigned screenList(size_t i) const { return u16(img, u16(img, 6) + 2 * i); }
    unsigned alarmList(size_t i) const { return u16(img, u16(img, 36) + 2 * i); }
    size_t screenListSize() const { return (u16(img, 36) - u16(img, 6)) / 2; }
    size_t alarmListSize() const { return (u16(img, 8) - u16(img, 36)) / 2; }
    std::vector<uint8_t> glyphCell(size_t cell) const { return slice(img, u16(img, 8) + 16 * cell, 16); }
};

Built buildIt(ProjectStore& store, const ProgramDir& pd) {
    prepareLikeSave(store);
    Built b;
    b.result = ImageBuilder::build(store, pd.dir());
    EXPECT_FALSE(b.result.stopped()) << b.result.failure.id << " " << b.result.detail;
    b.img = b.result.image;
    return b;
}

// The size of a screen's fixed tail: function keys, old key records, key records (two-port).
constexpr size_t kTail = 4 + 36 + 225;

} // namespace

TEST(ScreenStream, TextStringsIndexTheirGlyphsInOrderOfFirstAppearance) {
    ProgramDir pd("texts");
    auto store = newStore();
    addScreen(*store, 1);
    TextStringRecord& t = addText(*store, 1, 58, 31, "AB");
    t.attr = 0x81;
    addText(*store, 1, 50, 30, "BA" + kYi + "A");
    Built b = buildIt(*store, pd);
    const size_t at = b.screen(1);
    EXPECT_EQ(at, 797u);
    EXPECT_EQ(slice(b.img, at, 10), (std::vector<uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Coordinates relative to the LCD's top-left dot (50, 30).
    EXPECT_EQ(slice(b.img, at + 10, 6), (std::vector<uint8_t>{1, 8, 1, 0x81, 0, 0}));
    EXPECT_EQ(slice(b.img, at + 16, 6), (std::vector<uint8_t>{1, 0, 0, 0, 3, 0}));
    // "A" is cell 1, "B" cell 2; 一 is the first pair: first cell 3, index 4. Each text ends in 0.
    EXPECT_EQ(b.img[14], 3);
    ASSERT_EQ(b.screenListSize(), 8u);
    const unsigned expected[] = {1, 2, 0, 2, 1, 4, 1, 0};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(b.screenList(i), expected[i]) << i;
    }
    // Cells: blank, 'A' (0x41 one bit per byte), 'B', then 一's two cells.
    EXPECT_EQ(b.glyphCell(0), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(b.glyphCell(1), (std::vector<uint8_t>{0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(b.glyphCell(2), (std::vector<uint8_t>{0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    std::vector<uint8_t> top(16, 0);
    std::fill(top.begin(), top.begin() + 8, 0x80); // row 7 of columns 0..7
    EXPECT_EQ(b.glyphCell(3), top);                // columns 0..7: rows 0..7, rows 8..15
    EXPECT_EQ(b.glyphCell(4), top);                // columns 8..15 likewise
    EXPECT_EQ(u16(b.img, 10) - u16(b.img, 8), 16u * 5u);
}

TEST(ScreenStream, CharactersAreCollectedAsThePanelToolsDid) {
    ProgramDir pd("collect");
    auto store = newStore();
    addScreen(*store, 1);
    // A pair whose second byte is below 127 also makes that byte a single-byte character; byte
    // 127 takes the next byte with it and has no glyph; a lead byte ending a text gives nothing.
    addText(*store, 1, 50, 30, "\x81" "A");
    addText(*store, 1, 50, 30, "\x7F" "B" "C");
    addText(*store, 1, 50, 30, "C" + kGun.substr(0, 1));
    Built b = buildIt(*store, pd);
    // Pool "\x81A\x7FBCC\xD8": singles A, B, C (cells 1..3); pairs (81,41) only - the pair walk
    // skips 7F and the last lead byte has no partner.
    EXPECT_EQ(b.img[14], 4);
    const unsigned expected[] = {5, 0, 0, 3, 0, 3, 0};
    ASSERT_EQ(b.screenListSize(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(b.screenList(i), expected[i]) << i;
    }
    EXPECT_EQ(u16(b.img, 10) - u16(b.img, 8), 16u * (1 + 3 + 2));
    // The pair is not GB2312: blank and named in a warning.
    ASSERT_EQ(b.result.warnings.size(), 1u);
    EXPECT_EQ(b.result.warnings[0], Message::string(buildmsg::kGlyphMissing, {"\\x81\\x41", "8141"}));
}

TEST(ScreenStream, MissingGlyphIsBlankAndNamed) {
    ProgramDir pd("missing_glyph");
    auto store = newStore();
    addScreen(*store, 1);
    addText(*store, 1, 50, 30, kZhong + kYi);
    Built b = buildIt(*store, pd);
    ASSERT_EQ(b.result.warnings.size(), 1u);
    EXPECT_EQ(b.result.warnings[0], Message::string(buildmsg::kGlyphMissing, {"\xE4\xB8\xAD", "D6D0"}));
    EXPECT_EQ(b.glyphCell(1), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(b.glyphCell(2), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(b.glyphCell(3)[7], 0x80);
    // No single-byte characters: the pairs start at cell 1, their indices are 2 and 4.
    EXPECT_EQ(b.img[14], 1);
    EXPECT_EQ(b.screenList(0), 2u);
    EXPECT_EQ(b.screenList(1), 4u);
}

TEST(ScreenStream, MsgDispTextsFollowEachOtherWithOneEndMark) {
    ProgramDir pd("msgdisp");
    auto store = newStore();
    addScreen(*store, 1);
    MsgDispRecord& empty = addMsgDisp(*store, 1, 60, 40, {});
    empty.address = 0x1234;
    empty.areaAndBit = 0x77;
    addMsgDisp(*store, 1, 50, 30, {"A", "", "AB"});
    Built b = buildIt(*store, pd);
    const size_t at = b.screen(1) + 10;
    EXPECT_EQ(slice(b.img, at, 6), (std::vector<uint8_t>{2, 10, 10, 0, 0x34, 0x12}));
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ(u16(b.img, at + 6 + 2 * t), 0u);
        EXPECT_EQ(b.img[at + 38 + t], 0);
    }
    EXPECT_EQ(b.img[at + 54], 0);
    EXPECT_EQ(b.img[at + 55], 0x77);
    const size_t second = at + 56;
    const unsigned starts[] = {1, 2, 2};
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(u16(b.img, second + 6 + 2 * t), starts[t]) << t;
    }
    for (int t = 3; t < 16; ++t) {
        EXPECT_EQ(u16(b.img, second + 6 + 2 * t), 4u) << t;
    }
    EXPECT_EQ(slice(b.img, second + 38, 3), (std::vector<uint8_t>{1, 0, 2}));
    EXPECT_EQ(b.img[second + 54], 2);
    ASSERT_EQ(b.screenListSize(), 5u);
    const unsigned list[] = {0, 1, 1, 2, 0};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(b.screenList(i), list[i]) << i;
    }
}

TEST(ScreenStream, NumDispsInReadingOrderWithTheirSideRecords) {
    EXPECT_TRUE(ImageBuilder::numDispOrder(ScreenBlock{}, 0).empty());
    auto block = std::make_unique<ScreenBlock>();
    auto place = [&](int i, uint16_t x, uint16_t y) {
        block->numDisps[i].x = x;
        block->numDisps[i].y = y;
    };
    place(0, 10, 5);
    place(1, 3, 5);
    EXPECT_EQ(ImageBuilder::numDispOrder(*block, 2), (std::vector<int>{1, 0}));
    // Equal positions: the last record comes first. Higher up comes first whatever x.
    place(0, 3, 5);
    place(2, 200, 4);
    place(3, 3, 5);
    EXPECT_EQ(ImageBuilder::numDispOrder(*block, 4), (std::vector<int>{2, 3, 1, 0}));
    // Records at y 255 and below are still written once each, after the others.
    place(0, 9, 300);
    place(1, 1, 255);
    EXPECT_EQ(ImageBuilder::numDispOrder(*block, 4), (std::vector<int>{2, 3, 1, 0}));
    place(1, 1, 400);
    EXPECT_EQ(ImageBuilder::numDispOrder(*block, 4), (std::vector<int>{2, 3, 0, 1}));
    // One record is taken as it is, wherever it lies.
    EXPECT_EQ(ImageBuilder::numDispOrder(*block, 1), (std::vector<int>{0}));

    ProgramDir pd("numdisp");
    auto store = newStore();
    addScreen(*store, 1);
    NumDispRecord& a = addNumDisp(*store, 1, 60, 35);
    a.attr = 0x08;
    a.options = 0x22;
    a.address = 0x0102;
    a.digits = 5;
    a.decimals = 2;
    a.maximum = -7;
    a.minimum = 0x11223344;
    a.areaAndBit = 0x99;
    a.setScale(-2.9f);
    NumDispRecord& c = addNumDisp(*store, 1, 52, 35);
    c.setScale(2.9f);
    addNumDisp(*store, 1, 52, 31).setScale(std::numeric_limits<float>::quiet_NaN());
    addNumDisp(*store, 1, 51, 31).setScale(1e20f);
    Built b = buildIt(*store, pd);
    const size_t at = b.screen(1) + 10;
    // Order: (51,31) #3, (52,31) #2, (52,35) #1, (60,35) #0.
    EXPECT_EQ(b.img[at + 1], 1);
    EXPECT_EQ(static_cast<int32_t>(u32(b.img, at + 20)), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(b.img[at + 24 + 1], 2);
    EXPECT_EQ(u32(b.img, at + 24 + 20), 0u);
    EXPECT_EQ(static_cast<int32_t>(u32(b.img, at + 48 + 20)), 2);
    const size_t last = at + 72;
    EXPECT_EQ(slice(b.img, last, 12), (std::vector<uint8_t>{3, 10, 5, 0x08, 0x22, 0x99, 0x02, 0x01, 5, 2, 0, 0}));
    EXPECT_EQ(static_cast<int32_t>(u32(b.img, last + 12)), -7);
    EXPECT_EQ(u32(b.img, last + 16), 0x11223344u);
    EXPECT_EQ(static_cast<int32_t>(u32(b.img, last + 20)), -2);
    // Side records after the key records, in the same order.
    const size_t sides = at + 4 * 24 + kTail;
    const int32_t expected[] = {1003, 2003, 1002, 2002, 1001, 2001, 1000, 2000};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(static_cast<int32_t>(u32(b.img, sides + 4 * i)), expected[i]) << i;
    }
    EXPECT_EQ(sides + 32, u16(b.img, 6));
}

TEST(ScreenStream, GraphsAndPictureObjectsKeepTheirFields) {
    ProgramDir pd("graphs");
    auto store = newStore();
    addScreen(*store, 1);
    ScreenEntry& e = store->entries[1];
    ScreenBlock& s = store->screens[1];
    BarGraphRecord& bar = s.barGraphs[e.barCount++];
    bar = BarGraphRecord{};
    bar.kind = kKindBarGraph;
    bar.x = 49; // left of the LCD: wraps
    bar.y = 29;
    bar.attr = 3;
    bar.address = 0x0A0B;
    bar.maximum = -2;
    bar.minimum = 0x0102;
    bar.thickness = 6;
    bar.length = 40;
    bar.areaAndBit = 9;
    TrendGraphRecord& tr = s.trendGraphs[e.trendCount++];
    tr = TrendGraphRecord{};
    tr.kind = kKindTrendGraph;
    tr.x = 306;
    tr.y = 94;
    tr.attr = 1;
    tr.address = 1;
    tr.maximum = 2;
    tr.minimum = 3;
    tr.width = 100;
    tr.height = 30;
    tr.spacing = 4;
    tr.pointCount = 25;
    tr.settingA = 0x44;
    tr.areaAndBit = 0x55;
    PictureObjectRecord& pic = s.pictures[e.pictureCount++];
    pic = PictureObjectRecord{};
    pic.kind = kKindPicture;
    pic.x = 66;
    pic.y = 38;
    pic.width = 24;
    pic.height = 16;
    pic.pictureNo = 4;
    store->pictures[4] = {4, 24, 16, 0, std::string(24 * 16, '\1')};
    Built b = buildIt(*store, pd);
    const size_t at = b.screen(1);
    EXPECT_EQ(slice(b.img, at, 7), (std::vector<uint8_t>{0, 0, 0, 1, 1, 0, 1}));
    EXPECT_EQ(slice(b.img, at + 10, 14),
              (std::vector<uint8_t>{4, 255, 255, 3, 0x0B, 0x0A, 0xFE, 0xFF, 0x02, 0x01, 40, 6, 9, 0}));
    EXPECT_EQ(slice(b.img, at + 24, 16),
              (std::vector<uint8_t>{5, 0, 64, 1, 1, 0, 2, 0, 3, 0, 0x44, 4, 30, 100, 25, 0x55}));
    EXPECT_EQ(slice(b.img, at + 40, 7), (std::vector<uint8_t>{7, 16, 8, 0, 16, 24, 4}));
}

// Counts above a kind's capacity come only from damaged data: each kind writes what its array
// holds, and the header says so, rather than reading past the records.
TEST(ScreenStream, DamagedCountsWriteNoMoreThanEachKindHolds) {
    ProgramDir pd("damaged-counts");
    auto store = newStore();
    addScreen(*store, 1);
    ScreenEntry& e = store->entries[1];
    e.trendCount = 255;
    e.pictureCount = 49;
    for (TrendGraphRecord& t : store->screens[1].trendGraphs) {
        t.kind = kKindTrendGraph;
    }
    store->pictures[4] = {4, 8, 8, 0, std::string(64, '\1')};
    for (PictureObjectRecord& p : store->screens[1].pictures) {
        p.kind = kKindPicture;
        p.pictureNo = 4;
    }
    Built b = buildIt(*store, pd);
    const size_t at = b.screen(1);
    EXPECT_EQ(slice(b.img, at, 7), (std::vector<uint8_t>{0, 0, 0, 0, 2, 0, 48}));
    EXPECT_EQ(b.img[at + 10], kKindTrendGraph);
    EXPECT_EQ(b.img[at + 10 + 2 * 16], kKindPicture);
    // The screen ends after 2 trend graphs, 48 pictures and the fixed tail.
    EXPECT_EQ(u16(b.img, 6), at + 10 + 2 * 16 + 48 * 7 + kTail);
}

TEST(ScreenStream, LampPicturesAreRegisteredOncePerNumber) {
    ProgramDir pd("lamps");
    pd.lamp("lamp05_16x16", 16, {{15, 0}, {0, 31}}); // top-left of picture 1, bottom-right of 2
    pd.lamp("lamp05_32x32", 32);
    pd.lamp("lamp00_32x32", 32, {{31, 0}});
    auto store = newStore();
    addScreen(*store, 1);
    addScreen(*store, 2);
    LampRecord& l = addLamp(*store, 1, 58, 38, "lamp05_16x16");
    l.address = 0x0304;
    l.areaAndBit = 0x21;
    addLamp(*store, 1, 50, 30, "lamp05_32x32", true); // same number: the first picture serves
    Built b = buildIt(*store, pd);
    const size_t at = b.screen(1) + 10;
    EXPECT_EQ(slice(b.img, at, 8), (std::vector<uint8_t>{6, 8, 8, 0, 4, 3, 5, 0x21}));
    EXPECT_EQ(slice(b.img, at + 8, 8), (std::vector<uint8_t>{6, 0, 0, 0x40, 0, 0, 5, 0}));
    // One 16-dot picture: 0x31 and 64 bytes. Band 1 (top rows) first, the top row in bit 0.
    const size_t lamps = u16(b.img, 12);
    ASSERT_EQ(b.img.size() - lamps, 65u);
    EXPECT_EQ(b.img[lamps], 0x31);
    EXPECT_EQ(u16(b.img, 40 + 2 * 235), 1u);
    for (size_t k = 0; k < 30; ++k) {
        if (k != 5) {
            EXPECT_EQ(u16(b.img, 40 + 2 * (230 + k)), 0u) << k;
        }
    }
    std::vector<uint8_t> expected(64, 0);
    expected[0] = 0x01;  // row 15 (top), column 0
    expected[63] = 0x80; // row 0 (bottom), column 31
    EXPECT_EQ(slice(b.img, lamps + 1, 64), expected);

    // A 32-dot picture takes 256 bytes; number 0 is a number like any other.
    addLamp(*store, 2, 50, 30, "lamp00_32x32", true);
    b = buildIt(*store, pd);
    const size_t lamps2 = u16(b.img, 12);
    ASSERT_EQ(b.img.size() - lamps2, 1u + 64u + 256u);
    EXPECT_EQ(u16(b.img, 40 + 2 * 230), 65u);
    EXPECT_EQ(b.img[lamps2 + 65], 0x01);
}

TEST(ScreenStream, LampNumbersAndNamesAreChecked) {
    ProgramDir pd("lamp_checks");
    pd.lamp("lamp30_16x16", 16);
    pd.lamp("lampxx_16x16", 16);
    pd.lamp("lamp07_32x32", 16); // a 16-dot file named for a 32-dot lamp
    pd.lamp("lamp08", 16);
    pd.write("lamp09.lmp", std::string(512, '\1')); // outside lampdata
    auto store = newStore();
    addScreen(*store, 1);
    LampRecord& lamp = addLamp(*store, 1, 50, 30, "lamp30_16x16");
    auto stopsWith = [&](int id) {
        prepareLikeSave(*store);
        BuildResult r = ImageBuilder::build(*store, pd.dir());
        EXPECT_TRUE(r.stopped());
        EXPECT_TRUE(r.image.empty());
        EXPECT_EQ(r.failure.id, id) << lamp.nameString();
        return r;
    };
    stopsWith(buildmsg::kLampNumber); // 30 has no place among the 30 entries
    lamp.setName("lamp31");
    stopsWith(buildmsg::kLampNumber);
    lamp.setName("lampxx_16x16");
    stopsWith(buildmsg::kLampNumber);
    lamp.setName("lamp");
    stopsWith(buildmsg::kLampNumber);
    lamp.setName("lamp09/../../lamp09");
    BuildResult r = stopsWith(buildmsg::kUnsafeLampName);
    EXPECT_EQ(r.failure.args.at(0), "lamp09/../../lamp09");
    lamp.setName("lamp09\\x");
    stopsWith(buildmsg::kUnsafeLampName);
    lamp.setName("lamp09..x");
    stopsWith(buildmsg::kUnsafeLampName);
    lamp.setName("lamp11_16x16");
    r = stopsWith(buildmsg::kLampFile);
    EXPECT_EQ(r.detail, pd.file("lampdata/lamp11_16x16.lmp"));
    lamp.setName("lamp07_32x32");
    lamp.attr = 0x40;
    r = stopsWith(buildmsg::kLampFileShort);
    EXPECT_EQ(r.failure.args.at(2), "2048");
    // A longer file than the lamp needs gives its first bytes, as always.
    lamp.setName("lamp08");
    lamp.attr = 0;
    pd.write("lampdata/lamp08.lmp", std::string(2048, '\1'));
    prepareLikeSave(*store);
    EXPECT_FALSE(ImageBuilder::build(*store, pd.dir()).stopped());
}

TEST(ScreenStream, NeighbourScreenDefaultsOfFunctionAndPanelKeys) {
    ProgramDir pd("keys");
    auto store = newStore();
    for (int s : {1, 2, 3, 198, 199}) {
        addScreen(*store, s);
    }
    store->screens[3].fnKeys = {11, 12, 0, 0};
    store->screens[2].fnKeys = {0, 0, 40, 41}; // own targets win
    ScreenBlock& s2 = store->screens[2];
    s2.keys[8].flags = 0x20; // option bit only: still a plain screen key
    s2.keys[9].flags = 0x02; // a word action: keeps its own operand
    s2.keys[9].screen = 0;
    s2.keys[9].operand = 0xA0B0C0D0;
    s2.keys[3] = KeyRecord{9, 0, 0x40, 0, 0x1234, 0x56, 77, 0, 0x01020304};
    s2.keys[4].screen = 150; // show screen 150
    store->screens[1].keys[9].screen = 0;
    Built b = buildIt(*store, pd);

    auto fn = [&](int s) { return slice(b.img, b.screen(s) + 10, 4); };
    EXPECT_EQ(fn(1), (std::vector<uint8_t>{0, 0, 0, 2}));
    EXPECT_EQ(fn(2), (std::vector<uint8_t>{0, 0, 40, 41}));
    EXPECT_EQ(fn(3), (std::vector<uint8_t>{11, 12, 2, 0}));     // screen 4 does not exist
    EXPECT_EQ(fn(198), (std::vector<uint8_t>{0, 0, 0, 199}));   // screen 197 does not exist
    EXPECT_EQ(fn(199), (std::vector<uint8_t>{0, 0, 198, 0}));

    auto key = [&](int s, size_t k) { return slice(b.img, b.screen(s) + 10 + 4 + 36 + 9 * k, 9); };
    EXPECT_EQ(key(2, 8), (std::vector<uint8_t>{0, 0x20, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(key(2, 9), (std::vector<uint8_t>{0, 0x02, 0, 0, 0, 0xD0, 0xC0, 0xB0, 0xA0}));
    EXPECT_EQ(key(2, 3), (std::vector<uint8_t>{9, 0x40, 0x34, 0x12, 0x56, 4, 3, 2, 1}));
    EXPECT_EQ(key(2, 4), (std::vector<uint8_t>{0, 0, 0, 0, 0, 150, 0, 0, 0}));
    EXPECT_EQ(key(1, 8), std::vector<uint8_t>(9, 0)); // no screen 0
    EXPECT_EQ(key(1, 9)[5], 2);
    EXPECT_EQ(key(199, 9)[5], 0);
    EXPECT_EQ(key(199, 8)[5], 198);

    // Old key records: bytes 0, 2, the word at 4, bytes 6 and 7 of the first six keys.
    const size_t old = b.screen(2) + 10 + 4;
    EXPECT_EQ(slice(b.img, old + 18, 6), (std::vector<uint8_t>{9, 0x40, 0x34, 0x12, 0x56, 77}));
    EXPECT_EQ(slice(b.img, old + 24, 6), (std::vector<uint8_t>{0, 0, 0, 0, 0, 150}));
    EXPECT_EQ(b.result.outcome, BuildResult::Outcome::Complete);
}

TEST(ScreenStream, AlarmGroupsAndTheSecondGroupOnlyWhenInUse) {
    ProgramDir pd("alarms");
    auto store = newStore();
    AlarmBlock& g1 = store->alarms[0];
    g1.startAddress = 0x00012345;
    g1.count = 2;
    g1.areaAndBit = 0x31;
    g1.options = 0xFD; // only bits 0..2 go to the panel
    setAlarm(*store, 0, 0, "AB");
    setAlarm(*store, 0, 1, "B");
    setAlarm(*store, 0, 63, "A");
    AlarmBlock& g2 = store->alarms[1];
    g2.startAddress = 0x10;
    g2.options = 0x04;
    setAlarm(*store, 1, 0, "C");

    // One alarm group on this model: group 2 is neither written nor announced.
    store->alarmGroupCount = 1;
    g2.count = 1;
    Built b = buildIt(*store, pd);
    const auto& img = b.img;
    EXPECT_EQ(slice(img, 596, 8), (std::vector<uint8_t>{0x05, 2, 0x31, 0, 0x45, 0x23, 0, 0}));
    EXPECT_EQ(u16(img, 596 + 8), 0u);
    EXPECT_EQ(u16(img, 596 + 10), 2u);
    for (int i = 2; i < 64; ++i) {
        EXPECT_EQ(u16(img, 596 + 8 + 2 * i), 3u) << i;
    }
    EXPECT_EQ(slice(img, 596 + 136, 3), (std::vector<uint8_t>{2, 1, 0}));
    EXPECT_EQ(img[596 + 136 + 63], 1);
    EXPECT_EQ(img[796], 0); // the change count follows directly
    ASSERT_EQ(b.alarmListSize(), 4u);
    EXPECT_EQ(b.alarmList(0), 1u);
    EXPECT_EQ(b.alarmList(1), 2u);
    EXPECT_EQ(b.alarmList(2), 2u);
    EXPECT_EQ(b.alarmList(3), 1u);

    // Two groups, but group 2 has no messages: not written.
    store->alarmGroupCount = 2;
    g2.count = 0;
    b = buildIt(*store, pd);
    EXPECT_EQ(b.img[596], 0x05);
    EXPECT_EQ(u16(b.img, 6), 797u);

    // In use: announced by bit 7 of group 1 and written after the change records; its indices
    // continue the alarm list.
    g2.count = 1;
    b = buildIt(*store, pd);
    EXPECT_EQ(b.img[596], 0x85);
    EXPECT_EQ(u16(b.img, 6), 997u);
    EXPECT_EQ(slice(b.img, 797, 6), (std::vector<uint8_t>{0x04, 1, 0, 0, 0x10, 0}));
    EXPECT_EQ(u16(b.img, 797 + 8), 4u);
    EXPECT_EQ(u16(b.img, 797 + 10), 5u);
    EXPECT_EQ(b.img[797 + 136], 1);
    ASSERT_EQ(b.alarmListSize(), 5u);
    EXPECT_EQ(b.alarmList(4), 3u); // 'C' is the third single-byte character
}

TEST(ScreenStream, GlyphFilesAreNeededOnlyForTheTextsThatUseThem) {
    ProgramDir pd("glyph_files");
    pd.remove("asc16");
    pd.remove("unifont.hex");
    auto store = newStore();
    addScreen(*store, 1);
    prepareLikeSave(*store);
    BuildOptions noSystemFont;
    noSystemFont.glyphFontPath = pd.file("unifont.hex"); // removed
    // No texts: neither file is read, but a font the caller names must open.
    EXPECT_FALSE(ImageBuilder::build(*store, pd.dir()).stopped());
    BuildResult r = ImageBuilder::build(*store, pd.dir(), noSystemFont);
    EXPECT_EQ(r.failure.id, buildmsg::kGlyphFontUnreadable);

    addText(*store, 1, 50, 30, "A");
    prepareLikeSave(*store);
    r = ImageBuilder::build(*store, pd.dir());
    EXPECT_EQ(r.failure.id, buildmsg::kAsciiGlyphsMissing);
    pd.write("asc16", std::string(100, '\0'));
    r = ImageBuilder::build(*store, pd.dir());
    EXPECT_EQ(r.failure.id, buildmsg::kAsciiGlyphsDamaged);

    // Two-byte texts alone need the font, not "asc16".
    store->screens[1].textPool.clear();
    store->entries[1].textCount = 0;
    addText(*store, 1, 50, 30, kYi);
    prepareLikeSave(*store);
    BuildOptions own;
    own.glyphFontPath = pd.file("own.hex");
    pd.write("own.hex", "4E00:" + std::string(64, 'F') + "\n");
    r = ImageBuilder::build(*store, pd.dir(), own);
    ASSERT_FALSE(r.stopped()) << r.failure.id;
    EXPECT_EQ(slice(r.image, u16(r.image, 8) + 16, 32), std::vector<uint8_t>(32, 0xFF));
}

TEST(ScreenStream, ReferencesThatLeadNowhereAreWarnedOfAndBuiltSafely) {
    ProgramDir pd("nowhere");
    auto store = newStore();
    addScreen(*store, 1);
    TextStringRecord& outside = addText(*store, 1, 50, 30, "AB");
    outside.textOffset = 200;
    MsgDispRecord& m = addMsgDisp(*store, 1, 50, 30, {"A", "B", "AB"});
    m.textOffsets[2] = 900;
    m.textOffsets[5] = 1u << 24; // an empty text may name any offset: no warning, no fault
    store->pictures[4] = {4, 8, 8, 0, std::string(64, '\1')};
    for (int p : {40, 4, 5}) {
        PictureObjectRecord& pic = store->screens[1].pictures[store->entries[1].pictureCount++];
        pic = PictureObjectRecord{};
        pic.kind = kKindPicture;
        pic.x = 60;
        pic.y = 40;
        pic.width = 8;
        pic.height = 8;
        pic.pictureNo = static_cast<uint8_t>(p);
    }
    setAlarm(*store, 0, 0, "AB");
    store->alarms[0].offsets[1] = 7;
    store->alarms[0].lengths[1] = 1;
    Built b = buildIt(*store, pd);
    EXPECT_EQ(b.result.warnings,
              (std::vector<Message>{
                  Message::string(buildmsg::kAlarmBuiltEmpty, {"1", "2"}),
                  Message::string(buildmsg::kTextBuiltEmpty, {"1", "TextString", "1"}),
                  Message::string(buildmsg::kTextNBuiltEmpty, {"1", "MsgDisp", "1", "3"}),
                  Message::string(buildmsg::kPictureLeftOut, {"1", "Picture", "1", "40"}),
                  Message::string(buildmsg::kPictureLeftOut, {"1", "Picture", "3", "5"}),
              }));
    const size_t at = b.screen(1);
    // One picture object of three: the panel would show another picture for the others.
    EXPECT_EQ(slice(b.img, at, 7), (std::vector<uint8_t>{1, 1, 0, 0, 0, 0, 1}));
    // The text is empty: only its end mark.
    EXPECT_EQ(u16(b.img, at + 10 + 4), 0u);
    EXPECT_EQ(b.screenList(0), 0u);
    // The MsgDisp's third text has length 0 and starts where the fourth does.
    const size_t msg = at + 10 + 6;
    EXPECT_EQ(slice(b.img, msg + 38, 3), (std::vector<uint8_t>{1, 1, 0}));
    EXPECT_EQ(u16(b.img, msg + 6 + 4), u16(b.img, msg + 6 + 6));
    EXPECT_EQ(b.img[msg + 54], 1);
    EXPECT_EQ(slice(b.img, msg + 56, 7), (std::vector<uint8_t>{7, 10, 10, 0, 8, 8, 4}));
    // Alarm message 2 has length 0.
    const size_t group = 40 + 2 * 260 + 36;
    EXPECT_EQ(b.img[group + 137], 0);
}
