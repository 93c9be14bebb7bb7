#include "EditorTestSupport.h"

#include "editor/ClipboardBlock.h"
#include "editor/ExchangeConversion.h"

#include <cstring>
#include <random>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

struct Commands : EditorFixture {
    NumDispObject& num(int i) { return session->objects().numDisps[static_cast<size_t>(i)]; }
    SidePair& side(int i) { return session->objects().numDispSides[static_cast<size_t>(i)]; }
};

} // namespace

TEST_F(Commands, DeleteRemovesRunsOfSelectedObjectsAndKeepsTheRestInOrder) {
    for (int i = 0; i < 6; ++i) {
        addText(i, lx(), ly(), std::string(1, static_cast<char>('A' + i)), i >= 1 && i <= 3);
    }
    EXPECT_TRUE(session->commandEnabled(command::kDelete, false));
    session->deleteSelected();
    EXPECT_EQ(session->objects().count(kKindTextString), 3);
    EXPECT_EQ(text(0).text, "A");
    EXPECT_EQ(text(1).text, "E");
    EXPECT_EQ(text(2).text, "F");
    EXPECT_EQ(text(3).kindWord, 0u);
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(session->currentKind(), 0);
    EXPECT_FALSE(session->commandEnabled(command::kDelete, false));
    EXPECT_FALSE(session->commandEnabled(command::kCopy, true));
    EXPECT_FALSE(session->commandEnabled(command::kCut, true));
    EXPECT_FALSE(session->commandEnabled(command::kPaste, false));
    EXPECT_TRUE(session->commandEnabled(command::kPaste, true));
}

TEST_F(Commands, NumDispSidePairsMoveWithTheirRecords) {
    for (int i = 0; i < 5; ++i) {
        num(i).kindWord = kKindNumDisp;
        num(i).preview = std::to_string(i);
        side(i) = {i * 10, i * 100};
    }
    num(2).kindWord |= kSelectedBit;
    session->deleteSelected();
    EXPECT_EQ(num(2).preview, "3");
    EXPECT_EQ(side(2), (SidePair{30, 300}));
    EXPECT_EQ(side(3), (SidePair{40, 400}));
    EXPECT_EQ(side(4), (SidePair{}));
}

TEST_F(Commands, TheLastSlotOfAFullListCanBeDeleted) {
    for (auto& l : session->objects().lamps) {
        l.kindWord = kKindLamp;
    }
    session->objects().lamps[47].kindWord |= kSelectedBit;
    session->deleteSelected();
    EXPECT_EQ(session->objects().count(kKindLamp), 47);
}

TEST_F(Commands, PlacementsNeedingTwoPortsFollowTheCpuKind) {
    store->cpuId = 1;
    EXPECT_FALSE(session->commandEnabled(command::kPlaceShortNumDisp, false));
    EXPECT_FALSE(session->commandEnabled(command::kPlaceTrendGraph, false));
    store->cpuId = 37;
    EXPECT_TRUE(session->commandEnabled(command::kPlaceTrendGraph, false));
}

TEST_F(Commands, SummaryCountsEachKindBetweenItsSeparatorLines) {
    addText(0, lx(), ly(), "A");
    addText(1, lx(), ly(), "B");
    session->objects().lamps[0].kindWord = kKindLamp;
    auto parts = session->summaryParts();
    ASSERT_EQ(parts.size(), 13u);
    EXPECT_EQ(parts[0], Message::text("***********************\n"));
    EXPECT_EQ(parts[2], Message::text("***********************\n\n"));
    EXPECT_EQ(parts[4], Message::text("----------------------------\n"));
    EXPECT_EQ(parts[5], Message::string(63582, {"2"}));
    EXPECT_EQ(parts[9], Message::string(63586, {"1"}));
    EXPECT_EQ(parts[11], Message::string(63588, {"0"}));
    EXPECT_EQ(parts[12], Message::text("----------------------------\n\n"));
}

TEST_F(Commands, RemoveScreenFreesItsEntry) {
    store->entries[7].number = 7;
    session->bindScreenNumber(7, "seven", false);
    session->removeScreen();
    EXPECT_EQ(store->entries[7].number, 0);
    EXPECT_TRUE(store->treeChanged);
}

// ---- Clipboard ----------------------------------------------------------------------------

TEST_F(Commands, CopyPutsOnlyTheSelectedObjectsIntoTheirAreas) {
    auto& bars = session->objects().barGraphs;
    for (int i = 0; i < 3; ++i) {
        bars[static_cast<size_t>(i)].kindWord = kKindBarGraph + (i != 1 ? kSelectedBit : 0);
        bars[static_cast<size_t>(i)].length = 10 + i;
    }
    addText(0, lx(), ly(), "not selected");
    store->projectPath = "/projects/a.trn";
    auto block = session->copyBlock();
    ASSERT_EQ(block.size(), ClipboardBlock::kSize);
    EXPECT_EQ(ClipboardBlock::sourcePath(block.data()), "/projects/a.trn");
    auto first = [&](size_t off) { return block[off]; };
    EXPECT_EQ(first(ClipboardBlock::kTextStringOffset), 0);
    EXPECT_EQ(first(ClipboardBlock::kMsgDispOffset), 0);
    EXPECT_EQ(first(ClipboardBlock::kNumDispOffset), 0);
    EXPECT_EQ(first(ClipboardBlock::kTrendGraphOffset), 0);
    EXPECT_EQ(first(ClipboardBlock::kLampOffset), 0);
    EXPECT_EQ(first(ClipboardBlock::kPictureOffset), 0);
    BarGraphExchange e;
    std::memcpy(&e, block.data() + ClipboardBlock::kBarGraphOffset + sizeof e, sizeof e);
    EXPECT_EQ(e.kindWord, 132u);
    EXPECT_EQ(e.length, 12);
    std::memcpy(&e, block.data() + ClipboardBlock::kBarGraphOffset + 2 * sizeof e, sizeof e);
    EXPECT_EQ(e.kindWord, 0u);
}

TEST_F(Commands, PasteIntoTheSameProjectMovesOneGridStepOtherwiseKeepsPositions) {
    store->projectPath = "/projects/a.trn";
    addText(0, lx() + 16, ly() + 32, "AB", true);
    num(0).kindWord = kKindNumDisp + kSelectedBit;
    num(0).preview = "12.3";
    side(0) = {5, 6};
    auto block = session->copyBlock();

    EXPECT_EQ(session->paste(block.data(), block.size()), 2);
    EXPECT_EQ(text(0).kindWord, kKindTextString); // deselected first
    EXPECT_EQ(text(1).kindWord, kKindTextString + kSelectedBit);
    EXPECT_EQ(text(1).x, lx() + 32);
    EXPECT_EQ(text(1).y, ly() + 48);
    EXPECT_EQ(num(1).preview, "12.3");
    EXPECT_EQ(side(1), (SidePair{5, 6}));
    EXPECT_TRUE(session->modified());

    store->projectPath = "/projects/b.trn";
    session->paste(block.data(), block.size());
    EXPECT_EQ(text(2).x, lx() + 16);
    EXPECT_EQ(text(2).y, ly() + 32);
}

TEST_F(Commands, PastingTenIntoNinetyAddsSixAndDropsTheRest) {
    for (int i = 0; i < 10; ++i) {
        addText(i, lx(), ly(), "T" + std::to_string(i), true);
    }
    auto block = session->copyBlock();
    for (int i = 0; i < 90; ++i) {
        addText(i, lx(), ly(), "old");
    }
    EXPECT_EQ(session->paste(block.data(), block.size()), 6);
    EXPECT_EQ(session->objects().count(kKindTextString), 96);
    EXPECT_EQ(text(95).text, "T5");
}

TEST_F(Commands, PasteFillsGapsAndRefusesDamagedRecords) {
    std::vector<uint8_t> block(ClipboardBlock::kSize, 0);
    auto putLamp = [&](size_t index, int32_t dotCount, int32_t x) {
        LampExchange e{};
        e.kindWord = 134;
        e.x = x;
        e.y = 10;
        e.dotCount = dotCount;
        std::memset(e.name, 'n', sizeof e.name); // no terminator: read to the field's end
        std::memcpy(block.data() + ClipboardBlock::kLampOffset + index * sizeof e, &e, sizeof e);
    };
    putLamp(0, 512, 300);
    putLamp(1, 70000, 300); // more dots than the record holds: refused, and the kind ends
    putLamp(2, 512, 300);
    session->objects().lamps[0].kindWord = kKindLamp;
    EXPECT_EQ(session->paste(block.data(), block.size()), 1);
    const LampObject& l = session->objects().lamps[1];
    EXPECT_EQ(l.name, std::string(100, 'n'));
    EXPECT_EQ(l.dots.size(), 512u);

    putLamp(1, 512, -5); // a position no editor gives
    EXPECT_EQ(session->paste(block.data(), block.size()), 1);
    // A block of the wrong size pastes nothing.
    EXPECT_EQ(session->paste(block.data(), block.size() - 1), 0);
}

TEST_F(Commands, RandomBlocksNeverOverflowTheLists) {
    std::mt19937 rng(7);
    std::vector<uint8_t> block(ClipboardBlock::kSize);
    for (int round = 0; round < 4; ++round) {
        for (auto& b : block) {
            b = static_cast<uint8_t>(rng() % 4 == 0 ? 0x80 + rng() % 8 : rng());
        }
        session->paste(block.data(), block.size());
        for (int kind : ScreenObjects::kKinds) {
            EXPECT_LE(session->objects().count(kind), ScreenObjects::capacityOf(kind));
        }
    }
}

// ---- Exchange records -----------------------------------------------------------------------

TEST(ExchangeRecords, FieldOffsets) {
    EXPECT_EQ(offsetof(TextStringExchange, text), 13u);
    EXPECT_EQ(offsetof(MsgDispExchange, texts), 13u);
    EXPECT_EQ(offsetof(MsgDispExchange, value), 1616u);
    EXPECT_EQ(offsetof(MsgDispExchange, trailing), 1620u);
    EXPECT_EQ(offsetof(NumDispExchange, flags2), 13u);
    EXPECT_EQ(offsetof(NumDispExchange, settings), 16u);
    EXPECT_EQ(offsetof(NumDispExchange, preview), 36u);
    EXPECT_EQ(offsetof(NumDispExchange, trailingValue), 136u);
    EXPECT_EQ(offsetof(NumDispExchange, trailing), 140u);
    EXPECT_EQ(offsetof(LampExchange, value), 16u);
    EXPECT_EQ(offsetof(LampExchange, name), 20u);
    EXPECT_EQ(offsetof(LampExchange, value2), 120u);
    EXPECT_EQ(offsetof(LampExchange, dotCount), 124u);
    EXPECT_EQ(offsetof(LampExchange, dots), 128u);
    EXPECT_EQ(offsetof(BarGraphExchange, setting1), 16u);
    EXPECT_EQ(offsetof(BarGraphExchange, style), 36u);
    EXPECT_EQ(offsetof(TrendGraphExchange, trailing), 48u);
    EXPECT_EQ(offsetof(PictureExchange, pictureNo), 12u);
    EXPECT_EQ(ClipboardBlock::kMsgDispOffset, 100 + 96 * sizeof(TextStringExchange));
    EXPECT_EQ(ClipboardBlock::kNumDispOffset, ClipboardBlock::kMsgDispOffset + 96 * sizeof(MsgDispExchange));
    EXPECT_EQ(ClipboardBlock::kSidePairOffset, ClipboardBlock::kNumDispOffset + 96 * sizeof(NumDispExchange));
    EXPECT_EQ(ClipboardBlock::kBarGraphOffset, ClipboardBlock::kSidePairOffset + 96 * 8);
    EXPECT_EQ(ClipboardBlock::kTrendGraphOffset, ClipboardBlock::kBarGraphOffset + 48 * sizeof(BarGraphExchange));
    EXPECT_EQ(ClipboardBlock::kLampOffset, ClipboardBlock::kTrendGraphOffset + 2 * sizeof(TrendGraphExchange));
    EXPECT_EQ(ClipboardBlock::kPictureOffset, ClipboardBlock::kLampOffset + 48 * sizeof(LampExchange));
    EXPECT_EQ(ClipboardBlock::kSize, ClipboardBlock::kPictureOffset + 48 * sizeof(PictureExchange));
}

TEST(ExchangeConversions, FullLengthTextsComeBackUnchanged) {
    RecordingSink sink;
    MsgDispObject m;
    m.kindWord = 130;
    m.x = 10;
    m.y = 11;
    m.attr = 0x80;
    for (size_t k = 0; k < 16; ++k) {
        m.texts[k] = std::string(100, static_cast<char>('a' + k));
    }
    m.value = -70000;
    m.trailing = 9;
    auto back = ExchangeConversion::fromExchange(ExchangeConversion::toExchange(m, sink));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->texts, m.texts);
    EXPECT_EQ(back->value, -70000);
    EXPECT_EQ(back->trailing, 9);
    EXPECT_EQ(back->attr, 0x80);
    EXPECT_TRUE(sink.shown().empty());

    NumDispObject n;
    n.kindWord = 131;
    n.attr = 0x49;
    n.flags2 = 0x81;
    n.settings = {5, 4, 1, -7, 123456};
    n.preview = "-123.4";
    n.trailingValue = 0x3F800000;
    n.trailing = 3;
    auto nb = ExchangeConversion::fromExchange(ExchangeConversion::toExchange(n, sink));
    ASSERT_TRUE(nb);
    EXPECT_EQ(nb->settings, n.settings);
    EXPECT_EQ(nb->preview, n.preview);
    EXPECT_EQ(nb->flags2, n.flags2);
    EXPECT_EQ(nb->attr, n.attr);
    EXPECT_EQ(nb->trailingValue, n.trailingValue);

    LampObject l;
    l.kindWord = 134;
    l.name = "lamp20_32x32";
    l.dotCount = 2048;
    l.dots = std::string(2048, '\1');
    l.dots[2047] = 0;
    l.value = 77;
    l.value2 = 78;
    auto lb = ExchangeConversion::fromExchange(ExchangeConversion::toExchange(l, sink));
    ASSERT_TRUE(lb);
    EXPECT_EQ(lb->dotCount, 2048);
    EXPECT_EQ(lb->dots, l.dots);
    EXPECT_EQ(lb->value2, 78);
}

TEST(ExchangeConversions, OverlongFieldsShowTheirMessageAndKeepWhatWasWritten) {
    RecordingSink sink;
    TextStringObject t;
    t.kindWord = 129;
    t.attr = 2;
    t.text = std::string(101, 'x');
    auto te = ExchangeConversion::toExchange(t, sink);
    EXPECT_EQ(sink.shown().back(), Message::text("the length of str in TextString exceed 100 num!"));
    EXPECT_EQ(te.text[0], 0);
    EXPECT_EQ(te.attr, 2);

    MsgDispObject m;
    m.kindWord = 130;
    m.texts[0] = "first";
    m.texts[1] = std::string(101, 'y');
    m.texts[2] = "third";
    m.value = 5;
    auto me = ExchangeConversion::toExchange(m, sink);
    EXPECT_EQ(sink.shown().back(), Message::text("the length of textdata in MsgDisp exceeded 100 num!"));
    EXPECT_STREQ(me.texts[0], "first");
    EXPECT_EQ(me.texts[1][0], 0);
    EXPECT_EQ(me.texts[2][0], 0);
    EXPECT_EQ(me.value, 0);

    NumDispObject n;
    n.kindWord = 131;
    n.attr = 7;
    n.flags2 = 1;
    n.settings = {1, 2, 3, 4, 5};
    n.preview = std::string(101, '1');
    auto ne = ExchangeConversion::toExchange(n, sink);
    EXPECT_EQ(sink.shown().back(), Message::text("the length of dispdata in NumDisp exceeded 100 num!"));
    EXPECT_EQ(ne.attr, 7);
    EXPECT_EQ(ne.flags2, 0);
    EXPECT_EQ(ne.settings[0], 0);

    LampObject l;
    l.kindWord = 134;
    l.name = "lamp01";
    l.dotCount = 2048;
    l.dots = std::string(4097, '\0');
    l.value = 3;
    auto le = ExchangeConversion::toExchange(l, sink);
    EXPECT_EQ(sink.shown().back(), Message::text("the length of lampstr in Lamp exceeded 100 num!"));
    EXPECT_STREQ(le.name, "lamp01");
    EXPECT_EQ(le.dotCount, 0);
    EXPECT_EQ(le.value, 0);

    l.name = std::string(101, 'n');
    le = ExchangeConversion::toExchange(l, sink);
    EXPECT_EQ(sink.shown().back(), Message::text("the length of lampname in Lamp exceeded 100 num!"));
    EXPECT_EQ(le.name[0], 0);
}
