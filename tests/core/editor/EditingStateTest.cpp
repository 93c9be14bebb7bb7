#include "EditorTestSupport.h"

#include <cstring>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

struct Editing : EditorFixture {
    BarGraphObject& bar(int i) { return session->screen().objects().barGraphs[static_cast<size_t>(i)]; }
    TrendGraphObject& trend(int i) { return session->screen().objects().trendGraphs[static_cast<size_t>(i)]; }
};

} // namespace

TEST_F(Editing, PlacementSnapsToTheGridAndStaysArmedUntilTheListIsFull) {
    armText("AB");
    session->pointer().press({lx() + 17, ly() + 47});
    session->pointer().release({lx() + 17, ly() + 47});
    EXPECT_EQ(text(0).kindWord, kKindTextString + kSelectedBit);
    EXPECT_EQ(text(0).x, lx() + 16);
    EXPECT_EQ(text(0).y, ly() + 32);
    EXPECT_EQ(text(0).text, "AB");
    EXPECT_TRUE(session->screen().modified());
    EXPECT_EQ(session->pointer().placingKind(), kKindTextString);

    // The next click places another copy and deselects the first.
    click(lx() + 100, ly() + 5);
    EXPECT_EQ(text(0).kindWord, kKindTextString);
    EXPECT_EQ(text(1).kindWord, kKindTextString + kSelectedBit);
    EXPECT_EQ(text(1).x, lx() + 96);
    EXPECT_EQ(text(1).y, ly());

    // Near the right and bottom edges the object is kept inside the LCD.
    click(lx() + 383, ly() + 127);
    EXPECT_EQ(text(2).x, lx() + 384 - 32);
    EXPECT_EQ(text(2).y, ly() + 128 - 32);
    // Left of the LCD it is raised to the origin.
    click(lx() - 40, ly() - 40);
    EXPECT_EQ(text(3).x, lx());
    EXPECT_EQ(text(3).y, ly());
}

TEST_F(Editing, AFullListDisarmsWithItsMessageAndCapacity) {
    session->screen().templates().trendGraph.width = 40;
    session->screen().templates().trendGraph.height = 20;
    session->pointer().armPlacement(kKindTrendGraph, 80, 40);
    click(lx(), ly());
    click(lx() + 100, ly());
    EXPECT_TRUE(sink.shown().empty());
    click(lx() + 200, ly());
    EXPECT_EQ(session->pointer().placingKind(), 0);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0], Message::string(63502, {"2"}));
    EXPECT_EQ(session->screen().objects().count(kKindTrendGraph), 2);

    for (int i = 0; i < 96; ++i) {
        addText(i, lx(), ly(), "x");
    }
    armText("A");
    click(lx(), ly());
    EXPECT_EQ(sink.shown().back(), Message::string(61503, {"96"}));
    EXPECT_EQ(session->pointer().placingKind(), 0);
}

TEST_F(Editing, EscapeContextMenuAndSelectCommandDisarm) {
    armText("A");
    session->pointer().move({lx() + 5, ly() + 5}, false);
    EXPECT_EQ(session->pointer().cursor(), EditorCursor::PlaceTextString);
    session->pointer().escape();
    EXPECT_EQ(session->pointer().placingKind(), 0);
    EXPECT_EQ(session->pointer().cursor(), EditorCursor::Arrow);
    session->pointer().escape(); // nothing left to cancel
    EXPECT_EQ(session->pointer().placingKind(), 0);

    armText("A");
    EXPECT_FALSE(session->pointer().contextMenu()); // only disarms
    EXPECT_EQ(session->pointer().placingKind(), 0);
    EXPECT_TRUE(session->pointer().contextMenu()); // now the menu is wanted

    armText("A");
    session->pointer().selectTool();
    EXPECT_EQ(session->pointer().placingKind(), 0);
}

TEST_F(Editing, DraggingMovesByWholeGridStepsFromTheRawPressPoint) {
    addText(0, lx() + 16, ly() + 32, "ABC"); // 48 pixels wide
    session->pointer().press({lx() + 17, ly() + 40});
    EXPECT_EQ(session->pointer().currentKind(), kKindTextString);
    EXPECT_EQ(session->pointer().dragMode(), DragMode::Move);
    EXPECT_TRUE(text(0).kindWord & kSelectedBit);
    session->pointer().move({lx() + 40, ly() + 40}, true); // snapped to +32: 15 from 17, no step
    EXPECT_EQ(text(0).x, lx() + 16);
    EXPECT_FALSE(session->screen().modified());
    session->pointer().move({lx() + 50, ly() + 40}, true); // snapped to +48: one step
    EXPECT_EQ(text(0).x, lx() + 32);
    EXPECT_TRUE(session->screen().modified());

    // Far to the right it stops with its right edge on the LCD's.
    session->pointer().move({lx() + 700, ly() + 40}, true);
    EXPECT_EQ(text(0).x, lx() + 336);
    session->pointer().release({lx() + 700, ly() + 40});
    // Without the button nothing moves.
    session->pointer().move({lx() + 16, ly() + 40}, false);
    EXPECT_EQ(text(0).x, lx() + 336);
}

TEST_F(Editing, MovingInvalidatesOldAndNewRectanglesGrownByTwo) {
    addText(0, lx() + 16, ly() + 32, "A");
    session->pointer().press({lx() + 16, ly() + 32});
    session->screen().takeInvalidations();
    session->pointer().move({lx() + 32, ly() + 32}, true);
    auto inv = session->screen().takeInvalidations();
    ASSERT_EQ(inv.size(), 1u);
    EXPECT_EQ(inv[0].rect, (Rect{lx() + 14, ly() + 30, lx() + 50, ly() + 66}));
    EXPECT_FALSE(inv[0].erase);
}

TEST_F(Editing, HitTestTakesTheFirstKindAndSlotAndIsHalfOpen) {
    addText(0, lx(), ly(), "AB");
    session->screen().objects().msgDisps[0].kindWord = kKindMsgDisp;
    session->screen().objects().msgDisps[0].x = lx();
    session->screen().objects().msgDisps[0].y = ly();
    session->screen().objects().msgDisps[0].texts[0] = "ABCD";
    session->pointer().press({lx() + 31, ly() + 31});
    EXPECT_EQ(session->pointer().currentKind(), kKindTextString);
    session->pointer().release({0, 0});
    session->pointer().press({lx() + 32, ly()}); // right edge of the text is outside it
    EXPECT_EQ(session->pointer().currentKind(), kKindMsgDisp);
    EXPECT_FALSE(text(0).kindWord & kSelectedBit);
}

TEST_F(Editing, ResizingFromTheTopLeftHandleStopsAtTheMinimum) {
    BarGraphObject& b = bar(0);
    b.kindWord = kKindBarGraph;
    b.attr = 1; // horizontal
    b.x = lx() + 32;
    b.y = ly() + 32;
    b.length = 40;    // 80 pixels wide
    b.thickness = 24; // 48 pixels high
    session->pointer().press({lx() + 40, ly() + 40});
    session->pointer().release({lx() + 40, ly() + 40});
    session->pointer().move({lx() + 33, ly() + 33}, false); // over the top-left handle
    EXPECT_EQ(session->pointer().handle(), Handle::TopLeft);
    EXPECT_EQ(session->pointer().dragMode(), DragMode::Resize);
    EXPECT_EQ(session->pointer().cursor(), EditorCursor::SizeNorthwestSoutheast);
    session->pointer().press({lx() + 33, ly() + 33});
    session->pointer().move({lx() + 300, ly() + 120}, true);
    session->pointer().release({lx() + 300, ly() + 120});
    EXPECT_EQ(b.x, lx() + 32 + 80 - 24);
    EXPECT_EQ(b.y, ly() + 32 + 48 - 32);
    EXPECT_EQ(b.length, 12);
    EXPECT_EQ(b.thickness, 16);
    EXPECT_TRUE(session->screen().modified());
    // Off every handle the tool returns to selection.
    session->pointer().move({lx() + 200, ly() + 5}, false);
    EXPECT_EQ(session->pointer().handle(), Handle::None);
    EXPECT_EQ(session->pointer().dragMode(), DragMode::None);
    EXPECT_EQ(session->pointer().cursor(), EditorCursor::Arrow);
}

TEST_F(Editing, ResizingAVerticalBarFromTheBottomStaysInsideTheLcd) {
    BarGraphObject& b = bar(0);
    b.kindWord = kKindBarGraph;
    b.x = lx() + 32;
    b.y = ly() + 32;
    b.thickness = 16; // 32 wide
    b.length = 24;    // 48 high
    session->pointer().press({lx() + 40, ly() + 40});
    session->pointer().move({lx() + 32 + 13, ly() + 32 + 44}, false); // bottom middle (x+W/2-3, y+H-6)
    EXPECT_EQ(session->pointer().handle(), Handle::Bottom);
    EXPECT_EQ(session->pointer().cursor(), EditorCursor::SizeNorthSouth);
    session->pointer().press({lx() + 45, ly() + 76});
    session->pointer().move({lx() + 45, ly() + 400}, true);
    EXPECT_EQ(b.length, 48); // bottom at LCD_Y + 128
    EXPECT_EQ(b.thickness, 16);
    EXPECT_EQ(b.y, ly() + 32);
}

TEST_F(Editing, TrendWidthSnapsToWholeSampleSteps) {
    TrendGraphObject& t = trend(0);
    t.kindWord = kKindTrendGraph;
    t.x = lx();
    t.y = ly();
    t.width = 40;
    t.height = 30;
    t.spacing = 10;
    session->pointer().press({lx() + 20, ly() + 20});
    session->pointer().move({lx() + 80 - 3, ly() + 30 - 3}, false); // right middle of 80 x 60
    EXPECT_EQ(session->pointer().handle(), Handle::Right);
    session->pointer().press({lx() + 77, ly() + 27});
    session->pointer().move({lx() + 200, ly() + 27}, true); // 100 dots wide
    EXPECT_EQ(t.pointCount, 8);
    EXPECT_EQ(t.width, 93);
    EXPECT_EQ(t.height, 30);

    // A spacing of 0 cannot divide: the width stays as dragged.
    t.spacing = 0;
    t.pointCount = 5;
    session->pointer().move({lx() + 160, ly() + 27}, true);
    EXPECT_EQ(t.width, 80);
    EXPECT_EQ(t.pointCount, 5);
}

TEST_F(Editing, StatusTextClampsAndStepsDotColumnsByFour) {
    session->pointer().move({lx() + 7, ly() - 5}, false);
    char expect[80];
    std::snprintf(expect, sizeof expect, "X: %04d ,Y: %04d  LCD_X:000,LCD_Y:000", lx() + 7, ly() - 5);
    EXPECT_EQ(session->pointer().statusText(), expect);
    session->pointer().move({lx() + 23, ly() + 99}, false); // 11 dots -> 8; 49 dots
    std::snprintf(expect, sizeof expect, "X: %04d ,Y: %04d  LCD_X:008,LCD_Y:049", lx() + 23, ly() + 99);
    EXPECT_EQ(session->pointer().statusText(), expect);
    session->pointer().move({lx() + 500, ly() + 300}, false);
    std::snprintf(expect, sizeof expect, "X: %04d ,Y: %04d  LCD_X:192,LCD_Y:064", lx() + 500, ly() + 300);
    EXPECT_EQ(session->pointer().statusText(), expect);
    // Dragged out of the window: negative and wide coordinates read as printf writes them.
    for (Point p : {Point{-7, -123}, Point{-1000, 12345}, Point{-100000, 99999}}) {
        session->pointer().move(p, false);
        std::snprintf(expect, sizeof expect, "X: %04d ,Y: %04d  LCD_X:000,LCD_Y:", p.x, p.y);
        EXPECT_EQ(session->pointer().statusText().substr(0, std::strlen(expect)), expect);
    }
}

TEST_F(Editing, RubberBandSelectsWhatLiesInsideIt) {
    addText(0, lx() + 16, ly() + 16, "A");  // 16 x 32
    addText(1, lx() + 200, ly() + 16, "A"); // outside
    dir.lamp("lamp05", 2048);
    LampObject& lamp = session->screen().objects().lamps[0];
    lamp.kindWord = kKindLamp;
    lamp.name = "lamp05";
    lamp.x = lx() + 40;
    lamp.y = ly() + 10; // 64 x 64 by its file
    session->pointer().press({lx() - 1, ly()});
    EXPECT_EQ(session->pointer().dragMode(), DragMode::Band);
    session->pointer().move({lx() + 106, ly() + 75}, true);
    session->pointer().release({lx() + 106, ly() + 75});
    EXPECT_EQ(session->pointer().dragMode(), DragMode::None);
    EXPECT_TRUE(text(0).kindWord & kSelectedBit);
    EXPECT_FALSE(text(1).kindWord & kSelectedBit);
    EXPECT_TRUE(lamp.kindWord & kSelectedBit);

    // A lamp file of another length stops the selection with 61526.
    dir.write("lampdata/lamp05.lmp", std::string(100, '\0'));
    session->pointer().press({lx() - 1, ly()});
    session->pointer().move({lx() + 300, ly() + 120}, true);
    session->pointer().release({lx() + 300, ly() + 120});
    EXPECT_EQ(sink.shown().back(), Message::string(61526));
    EXPECT_TRUE(text(0).kindWord & kSelectedBit);
    EXPECT_FALSE(lamp.kindWord & kSelectedBit);

    // A press outside the LCD's surroundings starts no band.
    session->pointer().press({lx() - 2, ly()});
    EXPECT_EQ(session->pointer().dragMode(), DragMode::None);
}

TEST_F(Editing, PlacingALampLoadsItsDotsOrSays63505) {
    dir.lamp("lamp01_16x16", 512);
    session->screen().templates().lamp.name = "lamp01_16x16";
    session->pointer().armPlacement(kKindLamp, 32, 32);
    click(lx(), ly());
    EXPECT_EQ(session->screen().objects().lamps[0].dotCount, 512);
    EXPECT_EQ(session->screen().objects().lamps[0].dots.size(), 512u);

    session->screen().templates().lamp.name = "../lampdata/lamp01_16x16"; // never opened
    click(lx() + 64, ly());
    EXPECT_EQ(sink.shown().back(), Message::string(63505));
    EXPECT_TRUE(session->screen().objects().lamps[1].occupies(kKindLamp));
    EXPECT_TRUE(session->screen().objects().lamps[1].dots.empty());
}

TEST_F(Editing, DoubleClickNamesTheObjectOrKeyToEdit) {
    addText(0, lx(), ly(), "A");
    auto r = session->pointer().doubleClick({lx() + 2, ly() + 2});
    EXPECT_EQ(r.target, EditRequest::Target::Object);
    EXPECT_EQ(r.kind, kKindTextString);
    EXPECT_EQ(r.index, 0);

    NumDispObject& n = session->screen().objects().numDisps[3];
    n.kindWord = kKindNumDisp;
    n.options = 1;
    n.attr = 0x40;
    n.preview = "12";
    n.x = lx() + 100;
    n.y = ly();
    // Slots 0..2 are free: the list is not contiguous here, which the hit test does not mind.
    r = session->pointer().doubleClick({lx() + 101, ly() + 1});
    EXPECT_EQ(r.kind, kKindNumDisp);
    EXPECT_EQ(r.index, 3);
    EXPECT_TRUE(r.shortNumDisp);

    // A BCD display with its scale option ticked carries the same two bits; its decimals and
    // scale factor keep it out of the clock dialog, which would wipe its address on OK.
    n.address = 0;
    n.digits = 5;
    n.decimals = 1;
    n.scaleBits = 0x3F800000; // 1.0f
    EXPECT_FALSE(session->pointer().doubleClick({lx() + 101, ly() + 1}).shortNumDisp);
    n.decimals = 0;
    EXPECT_FALSE(session->pointer().doubleClick({lx() + 101, ly() + 1}).shortNumDisp);

    r = session->pointer().doubleClick({40 + 28 * 7 + 1, 401});
    EXPECT_EQ(r.target, EditRequest::Target::PanelKey);
    EXPECT_EQ(r.index, 7);
    EXPECT_EQ(r.title, Message::string(61516));
    EXPECT_EQ(ScreenContents::panelKeyTitle(3), Message::string(61514, {"4"}));
    EXPECT_EQ(ScreenContents::panelKeyTitle(12), Message::string(61519, {"2"}));
    EXPECT_EQ(ScreenContents::panelKeyTitle(24), Message::string(61524));

    r = session->pointer().doubleClick({40 + 60 * 2 + 1, 301});
    EXPECT_EQ(r.target, EditRequest::Target::FunctionKey);
    EXPECT_EQ(r.index, 2);

    r = session->pointer().doubleClick({5, 5});
    EXPECT_EQ(r.target, EditRequest::Target::None);
    auto inv = session->screen().takeInvalidations();
    ASSERT_FALSE(inv.empty());
    EXPECT_EQ(inv.back().rect, Rect::ofSize(0, 0, 800, 500));
}
