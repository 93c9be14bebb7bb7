#include "EditorTestSupport.h"

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

struct ScreenStore : EditorFixture {
    ScreenBlock& block(int s) { return store->screens[static_cast<size_t>(s)]; }
    ScreenEntry& entry(int s) { return store->entries[static_cast<size_t>(s)]; }
    std::unique_ptr<EditorSession> reopen(int s) {
        auto e = std::make_unique<EditorSession>(*store, ProgramDirectory(dir.path()), sink);
        EXPECT_EQ(e->screen().loadScreen(s), ScreenContents::OpenResult::Opened);
        return e;
    }
    void storeAs(int n) {
        session->screen().bindScreenNumber(n, "main", false);
        ASSERT_TRUE(session->screen().storeScreen());
    }
};

} // namespace

TEST_F(ScreenStore, OpeningDoublesCoordinatesAndCutsTextsFromThePool) {
    entry(3).number = 3;
    entry(3).textCount = 2;
    block(3).textPool = "ABCDE";
    block(3).textStrings[0] = {1, 0, 100, 40, 0x81, 0, 0, 2, {}};
    block(3).textStrings[1] = {1, 0, 120, 50, 0, 0, 2, 200, {}}; // length past the pool's end
    ASSERT_EQ(session->screen().loadScreen(3), ScreenContents::OpenResult::Opened);
    EXPECT_EQ(text(0).x, 200);
    EXPECT_EQ(text(0).y, 81);
    EXPECT_EQ(text(0).attr, 0x81);
    EXPECT_EQ(text(0).text, "AB");
    EXPECT_EQ(text(1).text, ""); // not the part that lies inside: the build takes it as empty
    EXPECT_EQ(store->screenOpen[3], 1);
    EXPECT_FALSE(session->screen().modified());
    EXPECT_EQ(session->screen().title(), Message::string(61500, {"3"}));
}

TEST_F(ScreenStore, StoringBuildsThePoolAndHalvesCoordinates) {
    EXPECT_EQ(session->screen().title(), Message::string(61499));
    addText(0, lx() + 32, ly(), "AB", true); // odd: LCD_X is odd // selected: the writer deselects first
    addText(1, lx() + 64, ly() + 16, "CDE");
    storeAs(5);
    EXPECT_EQ(entry(5).number, 5);
    EXPECT_EQ(entry(5).nameString(), "main");
    EXPECT_EQ(entry(5).textCount, 2);
    EXPECT_EQ(block(5).textPool, "ABCDE");
    EXPECT_EQ(block(5).textStrings[0].textOffset, 0u);
    EXPECT_EQ(block(5).textStrings[0].textLength, 2);
    EXPECT_EQ(block(5).textStrings[1].textOffset, 2u);
    EXPECT_EQ(block(5).textStrings[1].textLength, 3);
    EXPECT_EQ(block(5).textStrings[0].x, (lx() + 32) / 2);
    EXPECT_EQ(entry(5).poolLength(), 5u);

    // Reopened, the odd pixel position comes back one pixel to the left, and y one lower.
    auto again = reopen(5);
    EXPECT_EQ(again->screen().objects().textStrings[0].x, lx() + 31);
    EXPECT_EQ(again->screen().objects().textStrings[0].y, ly() + 1);
}

TEST_F(ScreenStore, EveryKindSurvivesAStoreAndReopen) {
    MsgDispObject& m = session->screen().objects().msgDisps[0];
    m.kindWord = kKindMsgDisp;
    m.x = 300;
    m.y = 200;
    m.texts[0] = "on";
    m.texts[15] = "off";
    m.address = 70000;
    m.areaAndBit = 4;
    NumDispObject& n = session->screen().objects().numDisps[0];
    n.kindWord = kKindNumDisp;
    n.attr = 0x08;
    n.address = 2;
    n.digits = 5;
    n.decimals = 2;
    n.maximum = -3;
    n.minimum = 99;
    n.preview = "-123.45";
    n.scaleBits = 0x40000000;
    session->screen().objects().numDispSides[0] = {11, 12};
    BarGraphObject& b = session->screen().objects().barGraphs[0];
    b.kindWord = kKindBarGraph;
    b.maximum = -5;
    b.length = 50;
    b.thickness = 16;
    b.areaAndBit = 2;
    TrendGraphObject& t = session->screen().objects().trendGraphs[0];
    t.kindWord = kKindTrendGraph;
    t.width = 93;
    t.height = 30;
    t.spacing = 10;
    t.pointCount = 8;
    t.settingA = 3;
    dir.lamp("lamp07_with_a_long_name_x", 512);
    dir.lamp("lamp07_with_a_long_n", 2048);
    LampObject& l = session->screen().objects().lamps[0];
    l.kindWord = kKindLamp;
    l.name = "lamp07_with_a_long_name_x"; // 25 characters: 19 are stored
    l.address = 65537;
    l.areaAndBit = 6;
    store->pictures[4] = {4, 8, 8, 0, std::string(64, '\0')};
    PictureObject& p = session->screen().objects().pictures[0];
    p.kindWord = kKindPicture;
    p.pictureNo = 4;
    session->screen().fnKeyFlags() = {1, 2, 0, 9};
    storeAs(9);

    EXPECT_EQ(block(9).msgDisps[0].address, 4464);
    EXPECT_EQ(block(9).textPool, "onoff");
    EXPECT_EQ(block(9).msgDisps[0].textOffsets[15], 2u);
    EXPECT_EQ(std::string(block(9).lamps[0].name, 19), "lamp07_with_a_long_");
    EXPECT_EQ(block(9).pictures[0].width, 8);
    EXPECT_EQ(store->globalPool.substr(block(9).numDisps[0].previewOffset), "-123.45");
    EXPECT_EQ(entry(9).numCount, 1);

    dir.lamp("lamp07_with_a_long_", 2048);
    auto again = reopen(9);
    const ScreenObjects& o = again->screen().objects();
    EXPECT_EQ(o.msgDisps[0].address, 4464);
    EXPECT_EQ(o.msgDisps[0].texts[15], "off");
    EXPECT_EQ(o.numDisps[0].preview, "-123.45");
    EXPECT_EQ(o.numDisps[0].address, 2);
    EXPECT_EQ(o.numDisps[0].digits, 5);
    EXPECT_EQ(o.numDisps[0].decimals, 2);
    EXPECT_EQ(o.numDisps[0].maximum, -3);
    EXPECT_EQ(o.numDisps[0].minimum, 99);
    EXPECT_EQ(o.numDispSides[0], (SidePair{11, 12}));
    EXPECT_EQ(o.barGraphs[0].maximum, -5);
    EXPECT_EQ(o.barGraphs[0].length, 50);
    EXPECT_EQ(o.trendGraphs[0].width, 93);
    EXPECT_EQ(o.trendGraphs[0].pointCount, 8);
    EXPECT_EQ(o.lamps[0].name, "lamp07_with_a_long_");
    EXPECT_EQ(o.lamps[0].dotCount, 2048);
    EXPECT_EQ(o.lamps[0].address, 1);
    EXPECT_EQ(o.pictures[0].pictureNo, 4);
    EXPECT_EQ(again->screen().fnKeyFlags(), session->screen().fnKeyFlags());
}

TEST_F(ScreenStore, NumDispPreviewIsRebuiltOrStopsTheOpening) {
    entry(2).number = 2;
    entry(2).numCount = 2;
    block(2).numDisps[0].kind = 3;
    block(2).numDisps[0].attr = 0x08;
    block(2).numDisps[0].digits = 5;
    block(2).numDisps[0].decimals = 2;
    block(2).numDisps[1].kind = 3;
    block(2).numDisps[1].digits = 2;
    block(2).numDisps[1].decimals = 2;
    entry(2).barCount = 1;
    block(2).barGraphs[0].kind = 4;
    EXPECT_EQ(session->screen().loadScreen(2), ScreenContents::OpenResult::Stopped);
    EXPECT_EQ(sink.shown().back(), Message::string(61557));
    EXPECT_EQ(session->screen().objects().numDisps[0].preview, "-123.45");
    EXPECT_EQ(session->screen().objects().count(kKindBarGraph), 0);
    // The partial window must not be able to overwrite the stored screen.
    EXPECT_EQ(session->screen().screenNo(), 0);
    EXPECT_FALSE(session->screen().storeScreen());
    EXPECT_EQ(store->screenOpen[2], 0);
    EXPECT_EQ(entry(2).barCount, 1);
}

TEST_F(ScreenStore, LampDotsComeFromTheFileOrTheDefaultOfTheirSize) {
    entry(4).number = 4;
    entry(4).lampCount = 3;
    auto& lamps = block(4).lamps;
    lamps[0].kind = 6;
    lamps[0].setName("lamp03_16x16");
    lamps[1].kind = 6;
    lamps[1].attr = 0x40;
    lamps[1].setName("missing");
    lamps[2].kind = 6;
    lamps[2].setName("bad_size");
    lamps[2].dotCount = 77;
    dir.lamp("lamp03_16x16", 512);
    dir.lamp("lamp20_32x32", 2048);
    dir.write("lampdata/bad_size.lmp", std::string(1024, '\0'));
    ASSERT_EQ(session->screen().loadScreen(4), ScreenContents::OpenResult::Opened);
    const auto& l = session->screen().objects().lamps;
    EXPECT_EQ(l[0].dotCount, 512);
    EXPECT_EQ(l[0].dots.size(), 512u);
    EXPECT_EQ(l[1].dotCount, 2048);
    EXPECT_EQ(l[1].name, "missing");
    EXPECT_EQ(l[2].dotCount, 77); // another length leaves the lamp without dots
    EXPECT_TRUE(l[2].dots.empty());
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0], Message::string(61558));

    // A name that would leave "lampdata" is not opened; without the defaults the opening stops.
    lamps[0].setName("../lampdata/lamp03_16x16");
    auto second = std::make_unique<EditorSession>(*store, ProgramDirectory(dir.path()), sink);
    std::filesystem::remove(dir.path() + "/lampdata/lamp01_16x16.lmp");
    EXPECT_EQ(second->screen().loadScreen(4), ScreenContents::OpenResult::Stopped);
    EXPECT_EQ(sink.shown().back(), Message::string(61559));
}

TEST_F(ScreenStore, KeysFollowTheProjectOrTheScreenByBit20) {
    entry(6).number = 6;
    store->globalKeys[0].flags = 0x20;
    store->globalKeys[0].screen = 1;
    store->globalKeys[1].screen = 2;
    block(6).keys[0].screen = 30;
    block(6).keys[1].screen = 31;
    ASSERT_EQ(session->screen().loadScreen(6), ScreenContents::OpenResult::Opened);
    EXPECT_EQ(session->screen().keys()[0].screen, 30);
    EXPECT_EQ(session->screen().keys()[1].screen, 2);

    // Storing: an undefined project-wide key replaces the screen's record, marked 9.
    store->globalKeys[1].kind = 0;
    store->globalKeys[2].kind = 1;
    session->screen().keys()[2].screen = 44;
    session->screen().setModified(); // as the key dialog does
    ASSERT_TRUE(session->screen().storeScreen());
    EXPECT_EQ(block(6).keys[1].kind, 9);
    EXPECT_EQ(block(6).keys[1].screen, 2);
    EXPECT_EQ(block(6).keys[2].screen, 44);
}

TEST_F(ScreenStore, SaveAsRebindsAndReleasesTheOldNumber) {
    storeAs(10);
    EXPECT_EQ(store->screenOpen[10], 1);
    EXPECT_FALSE(session->screen().numberTaken(11));
    session->screen().bindScreenNumber(11, "copy of ten and more", true);
    ASSERT_TRUE(session->screen().storeScreen());
    EXPECT_EQ(store->screenOpen[10], 0);
    EXPECT_EQ(store->screenOpen[11], 1);
    EXPECT_EQ(entry(10).number, 10); // the old screen stays as last stored
    EXPECT_EQ(entry(11).nameString(), "copy of te");
    EXPECT_TRUE(session->screen().numberTaken(11));
    session->screen().windowClosed();
    EXPECT_EQ(store->screenOpen[11], 0);
}

TEST_F(ScreenStore, KeyMarkersAreRedWhileProjectWideAndBlueOncePerScreen) {
    storeAs(12);
    store->globalKeys[3].flags = 0x01;
    session->readyToPaint();
    EXPECT_EQ(session->screen().panelKeyMarker(3), ScreenContents::KeyMarker::Global);
    EXPECT_EQ(session->screen().keys()[3].kind, 9);
    EXPECT_EQ(session->screen().panelKeyMarker(4), ScreenContents::KeyMarker::None);

    // Defined for this screen through the key dialog.
    auto edit = session->screen().beginPanelKeyEdit(3);
    EXPECT_FALSE(edit.perScreen);
    edit.record.flags = 0x40;
    session->screen().applyPanelKeyEdit(3, edit.record, true);
    EXPECT_EQ(store->globalKeys[3].kind, 1);
    EXPECT_EQ(block(12).keys[3].kind, 137);
    session->readyToPaint();
    EXPECT_EQ(session->screen().panelKeyMarker(3), ScreenContents::KeyMarker::PerScreen);

    // Back to project-wide without a function: every existing screen gets the record, marked 9.
    store->entries[20].number = 20;
    edit = session->screen().beginPanelKeyEdit(3);
    EXPECT_TRUE(edit.perScreen);
    edit.record.flags = 0;
    session->screen().applyPanelKeyEdit(3, edit.record, false);
    EXPECT_EQ(store->globalKeys[3].kind, 0);
    EXPECT_EQ(block(20).keys[3].kind, 9);
    session->readyToPaint();
    EXPECT_EQ(session->screen().panelKeyMarker(3), ScreenContents::KeyMarker::None);

    // A project-wide first byte the editor never writes (9, with the screen option): the window
    // shows the screen's own function, and the key dialog opens on that same function.
    store->globalKeys[5].kind = 9;
    store->globalKeys[5].flags = KeyRecord::kScreenOption;
    block(12).keys[5].kind = 137;
    block(12).keys[5].flags = 0x43;
    session->readyToPaint();
    EXPECT_EQ(session->screen().panelKeyMarker(5), ScreenContents::KeyMarker::PerScreen);
    edit = session->screen().beginPanelKeyEdit(5);
    EXPECT_TRUE(edit.perScreen);
    EXPECT_EQ(edit.record.flags, 0x43);
}

TEST_F(ScreenStore, PaintRulesFixEmptyTextsAndLampCountsButKeepUndefinedPictures) {
    addText(0, lx(), ly(), "");
    session->screen().objects().lamps[0].kindWord = kKindLamp;
    session->screen().objects().lamps[0].dotCount = 100;
    store->pictures[3] = {3, 4, 4, 0, std::string(16, '\0')};
    for (int i = 0; i < 4; ++i) {
        auto& p = session->screen().objects().pictures[static_cast<size_t>(i)];
        p.kindWord = kKindPicture;
        p.pictureNo = static_cast<uint8_t>(i == 1 ? 3 : i == 3 ? 250 : 5);
        p.x = i;
    }
    session->readyToPaint();
    EXPECT_EQ(text(0).text, " ");
    EXPECT_EQ(session->screen().objects().lamps[0].dotCount, 2048);
    // Pictures that are not defined stay (as cells that can be chosen), in their order.
    EXPECT_EQ(session->screen().objects().count(kKindPicture), 4);
    EXPECT_EQ(session->screen().objects().pictures[3].pictureNo, 250);
    EXPECT_EQ(session->screen().objectRect(kKindPicture, 0).width(), PictureKind::kMissingSide);
}

TEST_F(ScreenStore, StoringKeepsWhatNobodyEdited) {
    // A screen as another program may have written it: bytes in the fields the editor has none
    // for, a text outside the pool, a picture that is not defined, keys unlike the project's.
    entry(5).number = 5;
    entry(5).textCount = 2;
    entry(5).pictureCount = 1;
    block(5).textPool = "ABC";
    block(5).textStrings[0] = {1, 0x11, 100, 60, 0, 0x22, 0, 2, {1, 2, 3, 4, 5, 6, 7}};
    block(5).textStrings[1] = {1, 0, 110, 60, 0, 0, 50, 3, {}};
    block(5).pictures[0] = {7, 0x33, 120, 60, 24, 16, 40, {9, 9, 9, 9, 9, 9, 9}};
    block(5).keys[4].screen = 12; // the project-wide key 4 (kind 0) would replace it
    store->globalKeys[4].screen = 13;
    const ScreenBlock before = block(5);
    const ScreenEntry entryBefore = entry(5);
    auto same = [&] {
        return std::memcmp(&before.textStrings, &block(5).textStrings, sizeof before.textStrings) == 0 &&
               std::memcmp(&before.pictures, &block(5).pictures, sizeof before.pictures) == 0 &&
               std::memcmp(&before.keys, &block(5).keys, sizeof before.keys) == 0 &&
               before.textPool == block(5).textPool &&
               std::memcmp(&entryBefore, &entry(5), sizeof entryBefore) == 0;
    };

    // Opened, painted and stored without an edit: nothing changes.
    ASSERT_EQ(session->screen().loadScreen(5), ScreenContents::OpenResult::Opened);
    EXPECT_EQ(text(1).text, "");
    session->readyToPaint();
    ASSERT_TRUE(session->screen().storeScreen());
    EXPECT_TRUE(same());

    // One object moved: the screen is packed again, every record keeping the bytes the editor
    // has no field for; the picture keeps its number and size.
    text(0).x += 32;
    session->screen().setModified();
    ASSERT_TRUE(session->screen().storeScreen());
    EXPECT_FALSE(same());
    const TextStringRecord& t = block(5).textStrings[0];
    EXPECT_EQ(t.x, 116);
    EXPECT_EQ(t.reserved1, 0x11);
    EXPECT_EQ(t.reserved7, 0x22);
    EXPECT_EQ(t.reserved13[6], 7);
    EXPECT_EQ(block(5).text(t.textOffset, t.textLength), "AB");
    const PictureObjectRecord& p = block(5).pictures[0];
    EXPECT_EQ(std::memcmp(&p, &before.pictures[0], sizeof p), 0);
    EXPECT_EQ(entry(5).pictureCount, 1);
    // A new object starts from zeros.
    session->screen().objects().textStrings[2] = text(0);
    session->screen().objects().textStrings[2] = TextStringObject{};
    session->screen().objects().textStrings[2].kindWord = kKindTextString;
    session->screen().objects().textStrings[2].text = "Z";
    ASSERT_TRUE(session->screen().storeScreen());
    EXPECT_EQ(block(5).textStrings[2].reserved1, 0);
}
