#include "config/PanelModelFile.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "model/ProjectStore.h"

#include "TempProgramDir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;

TEST(PanelModelFile, ModelListStopsAtFirstNoneAndAtTwenty) {
    PanelModelFile three(IniFile("[TYPE]\nT1=One\nT2=Two\nT3=Three\nT4=NONE\nT5=Five\n"));
    EXPECT_EQ(three.modelNames(), (std::vector<std::string>{"One", "Two", "Three"}));
    std::string many = "[TYPE]\n";
    for (int i = 1; i <= 25; ++i) {
        many += "T" + std::to_string(i) + "=m" + std::to_string(i) + "\n";
    }
    auto names = PanelModelFile(IniFile(many)).modelNames();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names.back(), "m20");
    EXPECT_TRUE(PanelModelFile().modelNames().empty());
}

TEST(PanelModelFile, TypeSectionDefaults) {
    PanelModelFile f(IniFile("[TYPE]\nT1=a\nT2=b\n[T1]\n[T2]\ncom=2\nCOM1=\\P1\nCOM2_default=XY\nID_STR=TR - Q\n"));
    ModelType one = f.type(1);
    EXPECT_FALSE(one.twoPort);
    EXPECT_EQ(one.com, "1");
    EXPECT_EQ(one.com1Default, "FX_CPU");
    EXPECT_EQ(one.com2Default, "FX_CPU");
    EXPECT_EQ(one.idStr, "TR - A");
    ModelType two = f.type(2);
    EXPECT_TRUE(two.twoPort);
    EXPECT_EQ(two.com1Directory, "\\P1");
    EXPECT_EQ(two.com2Directory, "\\Protocol120\\comport2");
    EXPECT_EQ(two.com2Default, "XY");
    EXPECT_EQ(two.idStr, "TR - Q");
    EXPECT_EQ(f.types().size(), 2u);
}

TEST(PanelModelFile, OrderDependentDefaults) {
    // Only a few keys present: the others take "0" before the first width key, "37" after it.
    PanelModelFile f(IniFile("[TR - A]\nLCD_X=100\nD_KEY_1_W=20\nD_KEY_2_Y=5\n"));
    ModelSection m = f.section("TR - A");
    EXPECT_EQ(m.lcdX, 100);
    EXPECT_EQ(m.lcdY, 0);
    EXPECT_EQ(m.fnKeyRects[0], (KeyRect{0, 0, 20, 37}));
    EXPECT_EQ(m.fnKeyRects[1], (KeyRect{37, 5, 74, 42}));
    EXPECT_EQ(m.panelKeyRects[24], (KeyRect{37, 37, 74, 74}));
    EXPECT_EQ(m.cpuId, 37);
    EXPECT_EQ(m.alarmGroupCount, 1);
    EXPECT_FALSE(m.alarmBackup);

    ModelSection none = PanelModelFile().section("TR - Z");
    EXPECT_EQ(none.lcdX, 0);
    EXPECT_EQ(none.fnKeyRects[0], (KeyRect{0, 0, 37, 37}));
    EXPECT_EQ(none.cpuId, 37);
}

TEST(PanelModelFile, NumbersFlagsAndPictureSize) {
    PanelModelFile f(IniFile("[TR - B]\r\nLCD_X= 12abc \r\nLCD_Y=-4\r\nSCR_X=300\r\nSCR_Y=700\r\n"
                             "CPU_ID=2\r\nALarmnum=258\r\nALarmbackup=TRUE\r\nALarmview=true\r\n"
                             "SCR_password=True\r\ntrlist=Model B\r\nbmp=\\panel2.bmp\r\n"));
    ModelSection m = f.section("tr - b");
    EXPECT_EQ(m.lcdX, 12);
    EXPECT_EQ(m.lcdY, -4);
    EXPECT_EQ(m.cpuId, 2);
    EXPECT_EQ(m.alarmGroupCount, 2); // kept in one byte
    EXPECT_TRUE(m.alarmBackup);
    EXPECT_FALSE(m.alarmView);
    EXPECT_FALSE(m.screenPassword);
    EXPECT_EQ(f.treeName("TR - B"), "Model B");
    EXPECT_EQ(f.treeName("TR - C"), "0");
    EXPECT_EQ(f.pictureFile("TR - B"), "\\panel2.bmp");
    EXPECT_EQ(f.pictureFile("TR - C"), "none");

    auto store = std::make_unique<ProjectStore>();
    store->pictureWidth = 800;
    store->pictureHeight = 600;
    m.applyTo(*store);
    EXPECT_EQ(store->pictureWidth, 800); // 300 is not above 384
    EXPECT_EQ(store->pictureHeight, 700);
    EXPECT_EQ(store->alarmBackup, 1);
    EXPECT_EQ(store->alarmView, 0);
    m.scrX = 1024;
    m.scrY = 128; // not above 128
    m.applyTo(*store);
    EXPECT_EQ(store->pictureWidth, 1024);
    EXPECT_EQ(store->pictureHeight, 700);
}

TEST(ProjectSetup, ModelChangeMovesEveryObjectOfEveryScreen) {
    test::TempProgramDir dir;
    dir.write("qelsys.ini", "[TYPE]\nT1=a\nT2=b\n[TR - A]\nLCD_X=100\nLCD_Y=50\n"
                            "[TR - B]\nLCD_X=141\nLCD_Y=20\n");
    ProgramDirectory pd(dir.path());
    auto store = std::make_unique<ProjectStore>();
    store->modelTitle = "TR - A";
    PanelModelFile(pd.modelFile()).section("TR - A").applyTo(*store);
    store->entries[3].number = 3;
    store->entries[3].textCount = 1;
    store->entries[3].lampCount = 2;
    store->entries[3].pictureCount = 1;
    store->screens[3].textStrings[0].x = 60;
    store->screens[3].textStrings[0].y = 40;
    store->screens[3].textStrings[1].x = 60; // beyond the count: stays
    store->screens[3].lamps[1].x = 65530;    // wraps
    store->screens[3].pictures[0].y = 5;
    store->entries[7].number = 0; // a free slot keeps its stale records
    store->screens[7].textStrings[0].x = 60;

    ProjectSetup::changeModel(*store, pd, "TR - B");
    EXPECT_EQ(store->lcdX, 141);
    EXPECT_EQ(store->modelTitle, "TR - B");
    EXPECT_EQ(store->screens[3].textStrings[0].x, 80); // (141 - 100) / 2 = 20
    EXPECT_EQ(store->screens[3].textStrings[0].y, 25); // (20 - 50) / 2 = -15
    EXPECT_EQ(store->screens[3].textStrings[1].x, 60);
    EXPECT_EQ(store->screens[3].lamps[1].x, 14);
    EXPECT_EQ(store->screens[3].pictures[0].y, static_cast<uint16_t>(5 - 15));
    EXPECT_EQ(store->screens[7].textStrings[0].x, 60);
}
