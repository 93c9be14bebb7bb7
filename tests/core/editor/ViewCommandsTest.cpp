#include "EditorTestSupport.h"

#include "editor/ClipboardBlock.h"

#include <cstring>
#include <random>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

struct Commands : EditorFixture {
    NumDispObject& num(int i) { return session->screen().objects().numDisps[static_cast<size_t>(i)]; }
    SidePair& side(int i) { return session->screen().objects().numDispSides[static_cast<size_t>(i)]; }
};

} // namespace

TEST_F(Commands, DeleteRemovesRunsOfSelectedObjectsAndKeepsTheRestInOrder) {
    for (int i = 0; i < 6; ++i) {
        addText(i, lx(), ly(), std::string(1, static_cast<char>('A' + i)), i >= 1 && i <= 3);
    }
    EXPECT_TRUE(session->commandEnabled(command::kDelete, false));
    session->deleteSelected();
    EXPECT_EQ(session->screen().objects().count(kKindTextString), 3);
    EXPECT_EQ(text(0).text, "A");
    EXPECT_EQ(text(1).text, "E");
    EXPECT_EQ(text(2).text, "F");
    EXPECT_EQ(text(3).kindWord, 0u);
    EXPECT_TRUE(session->screen().modified());
    EXPECT_EQ(session->pointer().currentKind(), 0);
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
    for (auto& l : session->screen().objects().lamps) {
        l.kindWord = kKindLamp;
    }
    session->screen().objects().lamps[47].kindWord |= kSelectedBit;
    session->deleteSelected();
    EXPECT_EQ(session->screen().objects().count(kKindLamp), 47);
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
    session->screen().objects().lamps[0].kindWord = kKindLamp;
    auto parts = session->screen().summaryParts();
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
    session->screen().bindScreenNumber(7, "seven", false);
    session->screen().removeScreen();
    EXPECT_EQ(store->entries[7].number, 0);
    EXPECT_TRUE(store->treeChanged);
}

// ---- Clipboard ----------------------------------------------------------------------------

TEST_F(Commands, CopyPutsOnlyTheSelectedObjectsIntoTheirAreas) {
    auto& bars = session->screen().objects().barGraphs;
    for (int i = 0; i < 3; ++i) {
        bars[static_cast<size_t>(i)].kindWord = kKindBarGraph + (i != 1 ? kSelectedBit : 0);
        bars[static_cast<size_t>(i)].length = 10 + i;
    }
    addText(0, lx(), ly(), "not selected");
    store->projectPath = "/projects/a.trn";
    auto block = session->clipboard().copyBlock();
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
    auto block = session->clipboard().copyBlock();

    EXPECT_EQ(session->clipboard().paste(block.data(), block.size()), 2);
    EXPECT_EQ(text(0).kindWord, kKindTextString); // deselected first
    EXPECT_EQ(text(1).kindWord, kKindTextString + kSelectedBit);
    EXPECT_EQ(text(1).x, lx() + 32);
    EXPECT_EQ(text(1).y, ly() + 48);
    EXPECT_EQ(num(1).preview, "12.3");
    EXPECT_EQ(side(1), (SidePair{5, 6}));
    EXPECT_TRUE(session->screen().modified());

    store->projectPath = "/projects/b.trn";
    session->clipboard().paste(block.data(), block.size());
    EXPECT_EQ(text(2).x, lx() + 16);
    EXPECT_EQ(text(2).y, ly() + 32);
}

TEST_F(Commands, PastingTenIntoNinetyAddsSixAndDropsTheRest) {
    for (int i = 0; i < 10; ++i) {
        addText(i, lx(), ly(), "T" + std::to_string(i), true);
    }
    auto block = session->clipboard().copyBlock();
    for (int i = 0; i < 90; ++i) {
        addText(i, lx(), ly(), "old");
    }
    EXPECT_EQ(session->clipboard().paste(block.data(), block.size()), 6);
    EXPECT_EQ(session->screen().objects().count(kKindTextString), 96);
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
    session->screen().objects().lamps[0].kindWord = kKindLamp;
    EXPECT_EQ(session->clipboard().paste(block.data(), block.size()), 1);
    const LampObject& l = session->screen().objects().lamps[1];
    EXPECT_EQ(l.name, std::string(100, 'n'));
    EXPECT_EQ(l.dots.size(), 512u);

    putLamp(1, 512, -5); // a position no editor gives
    EXPECT_EQ(session->clipboard().paste(block.data(), block.size()), 1);
    // A block of the wrong size pastes nothing.
    EXPECT_EQ(session->clipboard().paste(block.data(), block.size() - 1), 0);
}

TEST_F(Commands, RandomBlocksNeverOverflowTheLists) {
    std::mt19937 rng(7);
    std::vector<uint8_t> block(ClipboardBlock::kSize);
    for (int round = 0; round < 4; ++round) {
        for (auto& b : block) {
            b = static_cast<uint8_t>(rng() % 4 == 0 ? 0x80 + rng() % 8 : rng());
        }
        session->clipboard().paste(block.data(), block.size());
        for (int kind : ScreenObjects::kKinds) {
            EXPECT_LE(session->screen().objects().count(kind), ScreenObjects::capacityOf(kind));
        }
    }
}
