#include "forms/ObjectEditing.h"

#include "forms/AlarmGroupForm.h"

#include "ObjectFormTestSupport.h"
#include "base/ProgramDirectory.h"
#include "editor/EditorSession.h"
#include "model/ProjectStore.h"
#include "base/RecordingSink.h"

#include <gtest/gtest.h>

#include <memory>

namespace dispcraft {
namespace {

namespace oe = objectediting;

class ObjectEditingTest : public ::testing::Test {
protected:
    ObjectEditingTest() : dir("object-editing"), store(std::make_unique<ProjectStore>()) {
        store->lcdX = 200;
        store->lcdY = 100;
        store->cpuId = 2;
        session = std::make_unique<EditorSession>(*store, ProgramDirectory(dir.path()), sink);
        plc.cpuId = 2;
        plc.portCount = 2;
        plc.ports = test::testPorts();
    }
    void lamp(const std::string& name, size_t n) {
        dir.write("lampdata/" + name + ".lmp", std::vector<uint8_t>(n, 1));
    }

    test::FormScratchDir dir;
    std::unique_ptr<ProjectStore> store;
    RecordingSink sink;
    std::unique_ptr<EditorSession> session;
    oe::PlcContext plc;
};

// A model file without CPU_ID gives kind 37: a panel with COM2, as the alarm group, the key
// dialog, the workspace tree and the image take it, that speaks the first generation.
TEST_F(ObjectEditingTest, APanelOfAnotherCpuKindHasCom2EverywhereAndIsOfTheFirstGeneration) {
    store->cpuId = 37;
    const PanelCpu cpu = store->cpu();
    EXPECT_TRUE(cpu.hasCom2());
    EXPECT_TRUE(cpu.keyRecordsInImage());
    EXPECT_FALSE(cpu.linkDriverInImage());
    EXPECT_EQ(cpu.downloadGeneration(), 1);
    EXPECT_FALSE(cpu.com2SettingsInImage());
    const oe::PlcContext context = oe::PlcContext::of(*store, ProgramDirectory(dir.path()));
    EXPECT_EQ(context.portCount, 2);
    EXPECT_EQ(oe::trendGraphRefused(context), Message::string(61502));
    AlarmGroupForm::Preset alarm;
    alarm.cpuId = store->cpuId;
    EXPECT_EQ(AlarmGroupForm(alarm).portEntries().size(), 2u);
    EXPECT_TRUE(session->commandEnabled(command::kPlaceShortNumDisp, false));

    store->cpuId = PanelCpu::kOnePort;
    EXPECT_EQ(oe::PlcContext::of(*store, ProgramDirectory(dir.path())).portCount, 1);
    EXPECT_FALSE(session->commandEnabled(command::kPlaceShortNumDisp, false));
}

TEST_F(ObjectEditingTest, TextStringPlacementAndEdit) {
    session->pointer().armPlacement(kKindBarGraph, 10, 10);
    oe::beginPlacement(*session, command::kPlaceTextString);
    EXPECT_EQ(session->pointer().placingKind(), 0);
    TextStringForm f;
    f.fields().text = "HELLO";
    f.fields().fontIndex = 1;
    f.fields().reverse = 1;
    oe::placeTextString(*session, *f.ok().values);
    EXPECT_EQ(session->pointer().placingKind(), kKindTextString);
    EXPECT_EQ(session->pointer().placeWidth(), 160);
    EXPECT_EQ(session->pointer().placeHeight(), 32);
    EXPECT_EQ(session->screen().templates().textString.attr, 0x81);
    EXPECT_EQ(oe::textStringSize(5, 2), (std::pair<int, int>{80, 64}));

    // An object near the right edge grows with a wider font and is kept inside the LCD.
    auto& o = session->screen().objects().textStrings[0];
    o.kindWord = kKindTextString;
    o.x = 200 + 384 - 32;
    o.y = 100 + 96;
    o.text = "AB";
    TextStringForm edit = oe::textStringForObject(*session, 0);
    EXPECT_EQ(edit.fields().text, "AB");
    edit.fields().fontIndex = 3;
    oe::applyTextString(*session, 0, *edit.ok().values);
    EXPECT_EQ(o.attr, 0x03);
    EXPECT_EQ(o.x, 200 + 384 - 64);
    EXPECT_EQ(o.y, 100 + 128 - 64);
    EXPECT_TRUE(session->screen().modified());
    // The next placement uses the edited text and font.
    EXPECT_EQ(session->screen().templates().textString.text, "AB");
    EXPECT_EQ(session->screen().templates().textString.attr, 0x03);

    TextStringForm::Values cleared;
    oe::applyTextString(*session, 0, cleared);
    EXPECT_EQ(o.text, "  ");
}

TEST_F(ObjectEditingTest, NumDispSettingsRoundTrip) {
    oe::beginPlacement(*session, command::kPlaceNumDisp);
    NumDispForm f = oe::numDispForPlacement(plc);
    f.address().fields().type = 1;
    f.address().fields().addressText = "0123";
    f.setEntryMode(1);
    f.setCoding(NumDispForm::kCodingSignedValue);
    f.fields().digits = 6;
    f.fields().decimals = 2;
    f.fields().font = 1;
    f.fields().scale = 0.5;
    f.setAlarmOption(true);
    f.fields().high = 300;
    f.fields().low = -300;
    auto v = f.ok();
    ASSERT_TRUE(v.ok()) << v.message.id;
    oe::placeNumDisp(*session, *v.values);
    const NumDispObject& t = session->screen().templates().numDisp;
    EXPECT_EQ(t.preview, "-1234.56");
    EXPECT_EQ(t.address, 123);
    EXPECT_EQ(t.digits, 6);
    EXPECT_EQ(t.decimals, 2);
    EXPECT_EQ(t.maximum, 32767);
    EXPECT_EQ(t.minimum, -32768);
    EXPECT_EQ(t.areaAndBit, 0x10);
    EXPECT_EQ(session->screen().templates().numDispSide, (SidePair{300, -300}));
    EXPECT_EQ(session->pointer().placeWidth(), 8 * 32);
    EXPECT_EQ(session->pointer().placeHeight(), 32);

    // The object opens with what was placed and gives the same back.
    session->screen().objects().numDisps[0] = t;
    session->screen().objects().numDisps[0].kindWord = kKindNumDisp;
    session->screen().objects().numDispSides[0] = session->screen().templates().numDispSide;
    NumDispForm g = oe::numDispForObject(*session, 0, plc);
    EXPECT_EQ(g.address().fields().addressText, "0123");
    EXPECT_DOUBLE_EQ(g.fields().scale, 0.5);
    auto w = g.ok();
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.values->attr, v.values->attr);
    EXPECT_EQ(w.values->flags2, v.values->flags2);
    EXPECT_EQ(w.values->high, 300);
    EXPECT_EQ(w.values->low, -300);
}

TEST_F(ObjectEditingTest, ShortNumDispPreviewRules) {
    ShortNumDispForm f;
    f.fields().fieldChoice = 5;
    f.fields().entryOption = 1;
    f.fields().fontChoice = 3;
    oe::placeShortNumDisp(*session, *f.ok().values);
    const NumDispObject& t = session->screen().templates().numDisp;
    EXPECT_EQ(t.preview, "\xD2\xBB");
    EXPECT_EQ(t.attr, 0x40 | 0x20 | 0x03);
    EXPECT_TRUE(t.shortForm());
    EXPECT_EQ(t.maximum, 7);
    EXPECT_EQ(session->screen().templates().numDispSide, (SidePair{7, 1}));
    EXPECT_EQ(session->pointer().placeWidth(), 2 * 32);
    EXPECT_EQ(session->pointer().placeHeight(), 64);

    // Editing: settings 3 and the trailing fields are cleared; the preview follows the range.
    auto& o = session->screen().objects().numDisps[0];
    o = t;
    o.kindWord = kKindNumDisp;
    o.x = 200 + 384 - 16;
    o.y = 100;
    o.decimals = 4;
    o.areaAndBit = 9;
    ShortNumDispForm g = oe::shortNumDispForObject(*session, 0);
    EXPECT_EQ(g.fields().fieldChoice, 5);
    EXPECT_EQ(g.fields().entryOption, 1);
    g.fields().fieldChoice = 2;
    g.fields().fontChoice = 0;
    oe::applyShortNumDisp(*session, 0, *g.ok().values);
    EXPECT_EQ(o.preview, "12");
    EXPECT_EQ(o.decimals, 0);
    EXPECT_EQ(o.areaAndBit, 0);
    EXPECT_EQ(o.x, 200 + 384 - 32);

    EXPECT_EQ(oe::shortPreviewOnPlacement(5, 1), "1");
    EXPECT_EQ(oe::shortPreviewOnEdit(2, 7, 1), "\xD2\xBB");
    EXPECT_EQ(oe::shortPreviewOnEdit(2, 7, 0), "12");
}

TEST_F(ObjectEditingTest, BarGraphSizesAndThinHorizontalBars) {
    BarGraphForm f = oe::barGraphForPlacement(plc);
    // A new bar graph's range is accepted as it opens.
    EXPECT_EQ(f.fields().maximum, 65535);
    EXPECT_EQ(f.fields().minimum, 0);
    f.fields().direction = 1; // horizontal
    oe::placeBarGraph(*session, *f.ok().values);
    EXPECT_EQ(session->pointer().placeWidth(), 96);
    EXPECT_EQ(session->pointer().placeHeight(), 48);
    EXPECT_EQ(session->screen().templates().barGraph.maximum, 65535);

    auto& o = session->screen().objects().barGraphs[0];
    o = session->screen().templates().barGraph;
    o.kindWord = kKindBarGraph;
    o.thickness = 12;
    o.maximum = -1; // as a stored screen gives it back
    BarGraphForm g = oe::barGraphForObject(*session, 0, plc);
    EXPECT_EQ(g.fields().maximum, 65535);
    oe::applyBarGraph(*session, 0, *g.ok().values);
    EXPECT_EQ(o.thickness, 16);
    EXPECT_EQ(session->pointer().placeHeight(), 32);

    // A vertical bar keeps its thickness.
    o.attr = 0;
    o.thickness = 12;
    BarGraphForm h = oe::barGraphForObject(*session, 0, plc);
    oe::applyBarGraph(*session, 0, *h.ok().values);
    EXPECT_EQ(o.thickness, 12);
    EXPECT_EQ(session->pointer().placeWidth(), 24);
    EXPECT_EQ(session->pointer().placeHeight(), 96);
}

TEST_F(ObjectEditingTest, TrendGraphNeedsTwoPorts) {
    oe::PlcContext one = plc;
    one.cpuId = 1;
    EXPECT_EQ(oe::trendGraphRefused(one), Message::string(61502));
    EXPECT_FALSE(oe::trendGraphRefused(plc));
    TrendGraphForm f = oe::trendGraphForPlacement(plc);
    oe::placeTrendGraph(*session, *f.ok().values);
    EXPECT_EQ(session->pointer().placingKind(), kKindTrendGraph);
    EXPECT_EQ(session->pointer().placeWidth(), 66);
    EXPECT_EQ(session->pointer().placeHeight(), 112);
    const TrendGraphObject& t = session->screen().templates().trendGraph;
    EXPECT_EQ(t.pointCount, 2);
    EXPECT_EQ(t.spacing, 10);
    EXPECT_EQ(t.maximum, 65535);
    EXPECT_EQ(t.settingA, 1);

    session->screen().objects().trendGraphs[0] = t;
    TrendGraphForm g = oe::trendGraphForObject(*session, 0, plc);
    EXPECT_FALSE(g.isNew());
    EXPECT_EQ(g.fields().count, 2);
}

TEST_F(ObjectEditingTest, LampEditsReloadTheDotsOnce) {
    lamp("lamp20_big", 2048);
    lamp("lamp01_small", 512);
    LampForm f = oe::lampForPlacement(*session, plc);
    f.chooseRow(0);
    auto v = f.ok();
    ASSERT_TRUE(v.ok()) << v.message.id;
    oe::placeLamp(*session, *v.values);
    EXPECT_EQ(session->screen().templates().lamp.name, "lamp01_small");
    EXPECT_EQ(session->pointer().placeWidth(), 32);

    auto& o = session->screen().objects().lamps[0];
    o = session->screen().templates().lamp;
    for (int pass = 0; pass < 3; ++pass) {
        LampForm g = oe::lampForObject(*session, 0, plc);
        g.chooseRow(pass % 2 == 0 ? 1 : 0);
        oe::applyLamp(*session, 0, *g.ok().values);
        const size_t want = pass % 2 == 0 ? 2048 : 512;
        EXPECT_EQ(o.dots.size(), want);
        EXPECT_EQ(o.dotCount, static_cast<int>(want));
        EXPECT_EQ((o.attr & 0x40) != 0, want == 2048);
    }
    // The next placement offers the last lamp.
    EXPECT_EQ(oe::lampForPlacement(*session, plc).rememberedRow(), 0);

    // A file gone after the dialog: the values stay, the dots too, and 63505 is shown.
    LampForm g = oe::lampForObject(*session, 0, plc);
    g.chooseRow(0);
    auto w = g.ok();
    ASSERT_TRUE(w.ok());
    std::filesystem::remove(dir.path() + "/lampdata/lamp01_small.lmp");
    oe::applyLamp(*session, 0, *w.values);
    EXPECT_EQ(o.name, "lamp01_small");
    EXPECT_EQ(o.dots.size(), 2048u);
    EXPECT_EQ(sink.shown().back(), Message::string(63505));
}

TEST_F(ObjectEditingTest, PictureTableIsWrittenBack) {
    store->pictures[4].id = 4;
    store->pictures[4].width = 16;
    store->pictures[4].height = 8;
    store->pictures[4].dots.assign(128, '\1');
    store->pictures[6].id = 3; // stale: not a picture
    PictureForm f = oe::pictureForPlacement(*session);
    EXPECT_EQ(f.table()[6].id, 0);
    ASSERT_EQ(f.rows().size(), 1u);
    f.selectRow(0);
    oe::placePicture(*session, *f.ok().values);
    EXPECT_EQ(session->pointer().placingKind(), kKindPicture);
    EXPECT_EQ(session->screen().templates().picture.pictureNo, 4);
    EXPECT_EQ(session->pointer().placeWidth(), 32);
    EXPECT_EQ(session->pointer().placeHeight(), 16);
    EXPECT_EQ(store->pictures[6].id, 0);
    EXPECT_TRUE(session->screen().modified());

    auto& o = session->screen().objects().pictures[0];
    o.kindWord = kKindPicture;
    o.pictureNo = 4;
    PictureForm g = oe::pictureForObject(*session, 0);
    EXPECT_EQ(g.timerFired(), 0);
    EXPECT_EQ(g.current(), 4);
}

TEST_F(ObjectEditingTest, MsgDispTemplateAndSize) {
    MsgDispForm f = oe::msgDispForPlacement(plc, "EMPTY");
    auto v = f.ok();
    ASSERT_TRUE(v.ok());
    oe::placeMsgDisp(*session, *v.values);
    EXPECT_EQ(session->screen().templates().msgDisp.texts[7], "EMPTY");
    EXPECT_EQ(session->pointer().placeWidth(), 5 * 16);
    EXPECT_EQ(session->pointer().placeHeight(), 32);

    auto& o = session->screen().objects().msgDisps[0];
    o = session->screen().templates().msgDisp;
    o.kindWord = kKindMsgDisp;
    o.address = 9;
    o.areaAndBit = 0x10;
    MsgDispForm g = oe::msgDispForObject(*session, 0, plc, "EMPTY");
    EXPECT_EQ(g.address().fields().addressText, "0009");
    g.editText(0, "GO");
    oe::applyMsgDisp(*session, 0, *g.ok().values);
    EXPECT_EQ(o.texts[0], "GO");
    EXPECT_EQ(o.address, 9);
    EXPECT_EQ(o.attr, 0x10);
    EXPECT_EQ(session->pointer().placeWidth(), 32);
}

// Edits that make an object larger keep it on the LCD, and one larger than the LCD keeps its
// top left corner there rather than going past it.
TEST_F(ObjectEditingTest, GrownObjectsStayOnTheLcd) {
    lamp("lamp20_big", 2048);
    auto& l = session->screen().objects().lamps[0];
    l.kindWord = kKindLamp;
    l.x = 200 + 384 - 32;
    l.y = 100 + 128 - 32;
    LampForm lf = oe::lampForObject(*session, 0, plc);
    lf.chooseRow(0);
    oe::applyLamp(*session, 0, *lf.ok().values);
    EXPECT_EQ(l.x, 200 + 384 - 64);
    EXPECT_EQ(l.y, 100 + 128 - 64);

    TrendGraphForm tf = oe::trendGraphForPlacement(plc);
    oe::placeTrendGraph(*session, *tf.ok().values);
    auto& t = session->screen().objects().trendGraphs[0];
    t = session->screen().templates().trendGraph;
    t.kindWord = kKindTrendGraph;
    t.x = 200 + 384 - 66;
    TrendGraphForm tg = oe::trendGraphForObject(*session, 0, plc);
    tg.fields().count = 17; // 183 dots wide
    oe::applyTrendGraph(*session, 0, *tg.ok().values);
    EXPECT_EQ(t.x, 200 + 384 - 366);

    auto& m = session->screen().objects().msgDisps[0];
    m = session->screen().templates().msgDisp;
    m.kindWord = kKindMsgDisp;
    m.x = 200 + 384 - 32;
    MsgDispForm mf = oe::msgDispForObject(*session, 0, plc, "EMPTY");
    mf.editText(0, "ABCDEFGH");
    oe::applyMsgDisp(*session, 0, *mf.ok().values);
    EXPECT_EQ(m.x, 200 + 384 - 128);

    auto& b = session->screen().objects().barGraphs[0];
    b.kindWord = kKindBarGraph;
    b.attr = 1; // horizontal
    b.length = 300;
    b.thickness = 16;
    b.x = 300;
    b.y = 210;
    BarGraphForm bf = oe::barGraphForObject(*session, 0, plc);
    bf.fields().maximum = 100;
    oe::applyBarGraph(*session, 0, *bf.ok().values);
    EXPECT_EQ(b.x, 200); // 600 wide: left edge on the LCD
    EXPECT_EQ(b.y, 100 + 128 - 32);

    store->pictures[2].id = 2;
    store->pictures[2].width = 192;
    store->pictures[2].height = 64;
    store->pictures[2].dots.assign(192 * 64, '\1');
    auto& p = session->screen().objects().pictures[0];
    p.kindWord = kKindPicture;
    p.x = 250;
    p.y = 110;
    PictureForm pf = oe::pictureForObject(*session, 0);
    pf.selectRow(0);
    oe::applyPicture(*session, 0, *pf.ok().values);
    EXPECT_EQ(p.pictureNo, 2);
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.y, 100);
}

TEST_F(ObjectEditingTest, UnchangedPictureTableLeavesTheProjectUnmodified) {
    store->pictures[4].id = 4;
    store->pictures[4].width = 8;
    store->pictures[4].height = 8;
    store->pictures[4].dots.assign(64, '\1');
    auto& o = session->screen().objects().pictures[0];
    o.kindWord = kKindPicture;
    o.pictureNo = 4;
    PictureForm f = oe::pictureForObject(*session, 0);
    f.timerFired();
    PictureForm::Table before = store->pictures;
    EXPECT_FALSE(PictureForm::writeBack(f.table(), store->pictures));
    store->pictures[9].id = 3; // stale entry: clearing it is a change
    EXPECT_TRUE(PictureForm::writeBack(f.table(), store->pictures));
    EXPECT_EQ(store->pictures[9].id, 0);
    EXPECT_EQ(store->pictures[4].dots, before[4].dots);
}

} // namespace
} // namespace dispcraft
