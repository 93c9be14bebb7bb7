// Whole images of two small crafted projects, compared byte for byte with the files in
// tests/data/image. After a deliberate change of the image, regenerate them with
//   DISPCRAFT_UPDATE_GOLDEN=1 build/bin/dispcraft_core_tests --gtest_filter='GoldenImage*'
// and check the difference by hand before committing it.

#include "BuildTestSupport.h"

#include <cstdlib>

using namespace buildtest;

namespace {

std::string goldenPath(const std::string& name) {
    return std::string(DISPCRAFT_TEST_DATA_DIR) + "/image/" + name;
}

void compareWithGolden(const std::vector<uint8_t>& image, const std::string& name) {
    const std::string path = goldenPath(name);
    const char* update = std::getenv("DISPCRAFT_UPDATE_GOLDEN");
    if (update && *update == '1') {
        ASSERT_TRUE(FileIo::writeAtomic(path, image.data(), image.size()));
        return;
    }
    auto golden = FileIo::readBytes(path);
    ASSERT_TRUE(golden) << path;
    ASSERT_EQ(image.size(), golden->size());
    for (size_t i = 0; i < image.size(); ++i) {
        ASSERT_EQ(image[i], (*golden)[i]) << name << " differs at byte " << i;
    }
}

// Two screens using every object kind, both alarm groups, a change record and a picture.
std::unique_ptr<ProjectStore> twoPortProject() {
    auto store = newStore(2);
    store->alarmGroupCount = 2;
    ProjectBlock& pb = store->projectBlock;
    pb.portNumbers = (3u << 16) | 4u;
    pb.panelOptions = 1;
    pb.panelSetting1 = 2;
    pb.controlAddress1 = 0x0354;
    pb.controlAddress2 = 0x0356;
    pb.controlAreaAndBit1 = 0x58;
    pb.controlAreaAndBit2 = 0x59;
    pb.panelSetting4 = 6;
    pb.panelSetting3 = 0x0362;
    store->systemBlock.bitScreenCount = 1;
    store->systemBlock.bitScreens[0] = 2;

    AlarmBlock& a1 = store->alarms[0];
    a1.startAddress = 0x00010100;
    a1.count = 1;
    a1.areaAndBit = 0x10;
    a1.options = 1;
    setAlarm(*store, 0, 0, "AB");
    AlarmBlock& a2 = store->alarms[1];
    a2.startAddress = 0x0200;
    a2.count = 1;
    a2.areaAndBit = 0x21;
    a2.options = 4;
    setAlarm(*store, 1, 0, kYi);

    store->changeCount = 1;
    store->changes[0] = ChangeRecord{1, 4, 2, 3, 0x0010, 0x0020};

    PictureTableEntry& pic = store->pictures[1];
    pic.id = 1;
    pic.width = 2;
    pic.height = 8;
    pic.dots.assign(16, '\1');
    pic.dots[0] = 0;      // bottom row, column 0
    pic.dots[7 * 2 + 1] = 0; // top row, column 1

    addScreen(*store, 1);
    addScreen(*store, 2);
    TextStringRecord& t = addText(*store, 1, 58, 30, "AB");
    t.attr = 1;
    MsgDispRecord& m = addMsgDisp(*store, 1, 50, 46, {"A", kYi});
    m.address = 0x0102;
    m.areaAndBit = 3;
    NumDispRecord& n0 = addNumDisp(*store, 1, 80, 40);
    n0.address = 0x0010;
    n0.digits = 4;
    n0.setScale(10.0f);
    NumDispRecord& n1 = addNumDisp(*store, 1, 60, 40);
    n1.attr = 0x08;
    n1.address = 0x0020;
    n1.digits = 5;
    n1.decimals = 1;
    n1.maximum = -100;
    n1.minimum = 100;
    n1.setScale(1.0f);
    ScreenEntry& e = store->entries[1];
    ScreenBlock& s1 = store->screens[1];
    BarGraphRecord& bar = s1.barGraphs[e.barCount++];
    bar = BarGraphRecord{};
    bar.kind = kKindBarGraph;
    bar.x = 130;
    bar.y = 30;
    bar.attr = 1;
    bar.address = 0x0030;
    bar.maximum = 0;
    bar.minimum = 100;
    bar.thickness = 8;
    bar.length = 48;
    bar.areaAndBit = 2;
    TrendGraphRecord& tr = s1.trendGraphs[e.trendCount++];
    tr = TrendGraphRecord{};
    tr.kind = kKindTrendGraph;
    tr.x = 180;
    tr.y = 30;
    tr.attr = 0;
    tr.address = 0x0040;
    tr.maximum = 0;
    tr.minimum = 200;
    tr.width = 60;
    tr.height = 32;
    tr.spacing = 2;
    tr.pointCount = 30;
    tr.settingA = 1;
    tr.areaAndBit = 0;
    LampRecord& lamp = addLamp(*store, 1, 100, 62, "lamp01_16x16");
    lamp.address = 0x0050;
    lamp.areaAndBit = 1;
    PictureObjectRecord& po = s1.pictures[e.pictureCount++];
    po = PictureObjectRecord{};
    po.kind = kKindPicture;
    po.x = 230;
    po.y = 86;
    po.width = 2;
    po.height = 8;
    po.pictureNo = 1;
    s1.fnKeys = {2, 0, 0, 0};
    s1.keys[0] = KeyRecord{9, 0, 0x00, 0, 0, 0, 2, 0, 0};        // show screen 2
    s1.keys[1] = KeyRecord{9, 0, 0x41, 0, 0x0064, 0x13, 0, 0, 1}; // set bit M100.3

    addText(*store, 2, 50, 78, kGun + "B");
    addLamp(*store, 2, 170, 62, "lamp02_32x32", true);
    return store;
}

void writeGoldenLamps(const ProgramDir& pd) {
    pd.lamp("lamp01_16x16", 16, {{15, 0}, {0, 15}, {8, 16}});
    pd.lamp("lamp02_32x32", 32, {{31, 0}, {0, 63}});
}

} // namespace

TEST(GoldenImage, TwoPortProject) {
    ProgramDir pd("golden_two");
    writeGoldenLamps(pd);
    pd.protocol("Protocol120/comport1/P1.ini", "002");
    pd.protocol("Protocol120/comport2/P2.ini", "250");
    auto store = twoPortProject();
    prepareLikeSave(*store);
    BuildResult r = ImageBuilder::build(*store, pd.dir());
    ASSERT_EQ(r.outcome, BuildResult::Outcome::Complete) << r.failure.id << " " << r.detail;
    EXPECT_TRUE(r.warnings.empty());
    compareWithGolden(r.image, "two_port.qel");
}

TEST(GoldenImage, OnePortProjectWithoutItsStartScreen) {
    ProgramDir pd("golden_one");
    std::string driver(4096, '\0');
    for (size_t i = 0; i < driver.size(); ++i) {
        driver[i] = static_cast<char>(i & 0xFF);
    }
    pd.write("Protocol/P1.bin", driver + "X");
    pd.protocol("Protocol/P1.ini", "001");
    auto store = newStore(1);
    store->projectBlock.baud[0] = 4800;
    store->projectBlock.parity[0] = 'n';
    store->projectBlock.controlAreaAndBit1 = 0x58;
    store->projectBlock.controlAreaAndBit2 = 0x59;
    store->projectBlock.startScreen = 1;
    addScreen(*store, 2);
    addText(*store, 2, 54, 34, "A");
    store->screens[2].keys[0] = KeyRecord{9, 0, 0, 0, 0, 0, 3, 0, 0};
    prepareLikeSave(*store);
    BuildResult r = ImageBuilder::build(*store, pd.dir());
    ASSERT_EQ(r.outcome, BuildResult::Outcome::StartScreenMissing) << r.failure.id << " " << r.detail;
    compareWithGolden(r.image, "one_port.qel");
}
