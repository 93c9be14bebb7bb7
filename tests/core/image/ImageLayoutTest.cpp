#include "BuildTestSupport.h"

#include "image/BuildMessages.h"

using namespace buildtest;

namespace {

BuildResult build(const ProjectStore& store, const ProgramDir& pd) {
    return ImageBuilder::build(store, pd.dir());
}

} // namespace

TEST(ImageLayout, EmptyProjectHasEveryBlockAndReportsTheMissingStartScreen) {
    ProgramDir pd("empty");
    auto store = newStore();
    store->systemBlock.bitScreenCount = 2;
    store->systemBlock.bitScreens[0] = 7;
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    ASSERT_FALSE(r.stopped()) << r.failure.id;
    const auto& img = r.image;
    // 40 header + 520 table + 36 system block + 200 alarm group + 1 change count, then the
    // blank glyph cell and the lamp block's leading byte.
    ASSERT_EQ(img.size(), 814u);
    EXPECT_EQ(u16(img, 0), 51u);
    EXPECT_EQ(u16(img, 6), 797u);
    EXPECT_EQ(u16(img, 36), 797u);
    EXPECT_EQ(u16(img, 8), 797u);
    EXPECT_EQ(u16(img, 10), 813u);
    EXPECT_EQ(u16(img, 12), 813u);
    EXPECT_EQ(img[14], 1); // cell 0 only
    EXPECT_EQ(img[560], 2);
    EXPECT_EQ(img[561], 7);
    EXPECT_EQ(img[796], 0); // no change records
    EXPECT_EQ(slice(img, 797, 16), std::vector<uint8_t>(16, 0));
    EXPECT_EQ(img[813], 0x31);
    for (size_t i = 0; i < 260; ++i) {
        EXPECT_EQ(u16(img, 40 + 2 * i), 0u) << i;
    }
    EXPECT_EQ(r.outcome, BuildResult::Outcome::StartScreenMissing);
    EXPECT_EQ(r.startScreenMessage, Message::string(buildmsg::kNoStartScreen, {"1"}));
    EXPECT_TRUE(r.warnings.empty());
}

TEST(ImageLayout, SerialSettingsAndLinkKindsOfATwoPortModel) {
    ProgramDir pd("twoport");
    pd.protocol("Protocol120/comport1/P1.ini", "002");
    pd.protocol("Protocol120/comport2/P2.ini", "300"); // 300 modulo 256 = 44
    auto store = newStore(2);
    ProjectBlock& pb = store->projectBlock;
    pb.baud[0] = storedBaud(115200);
    pb.portNumbers = (3u << 16) | 4u;
    pb.panelOptions = 0x11;
    pb.panelSetting1 = 0x12;
    pb.controlAddress1 = 0x5454;
    pb.controlAddress2 = 0x5656;
    pb.controlAreaAndBit1 = 0x58;
    pb.controlAreaAndBit2 = 0x59;
    pb.panelSetting4 = 0x60;
    pb.panelSetting3 = 0x6262;
    pb.panelSetting2 = 0x64;
    pb.startScreen = 9;
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    const auto& h = r.image;
    EXPECT_EQ(h[2], 8);   // 115200
    EXPECT_EQ(h[3], 8);
    EXPECT_EQ(h[4], 1);
    EXPECT_EQ(h[5], 'E');
    EXPECT_EQ(h[15], 5);  // 19200
    EXPECT_EQ(h[16], 7);
    EXPECT_EQ(h[17], 2);
    EXPECT_EQ(h[18], 'O');
    EXPECT_EQ(h[19], 9);
    EXPECT_EQ(h[20], 0x11);
    EXPECT_EQ(h[21], 0x12);
    EXPECT_EQ(u16(h, 22), 0x5656u); // offset 56 before 54
    EXPECT_EQ(u16(h, 24), 0x5454u);
    EXPECT_EQ(h[26], 0x64);
    EXPECT_EQ(h[27], 0x60);
    EXPECT_EQ(u16(h, 28), 0x0259u); // COM1 kind 2, station byte 59
    EXPECT_EQ(u16(h, 30), 0x2C58u); // COM2 kind 44, station byte 58
    EXPECT_EQ(u16(h, 32), 3u);      // COM1's port number, as its kind is 2
    EXPECT_EQ(u16(h, 34), 0u);
    EXPECT_EQ(u16(h, 38), 0x6262u);
}

TEST(ImageLayout, OnePortModelCarriesTheDriverAndNoSecondPort) {
    ProgramDir pd("oneport");
    std::string driver(4096, '\0');
    for (size_t i = 0; i < driver.size(); ++i) {
        driver[i] = static_cast<char>(i * 7);
    }
    pd.write("Protocol/P1.bin", driver + "X?tail");
    pd.protocol("Protocol/P1.ini", "002");
    pd.protocol("Protocol120/comport1/P1.ini", "009"); // not the one-port model's file
    pd.protocol("Protocol120/comport2/P2.ini", "002");
    auto store = newStore(1);
    store->projectBlock.portNumbers = (3u << 16) | 4u;
    store->projectBlock.controlAreaAndBit1 = 0x58;
    store->changeCount = 1;
    store->changes[0] = ChangeRecord{1, 2, 3, 4, 5, 6};
    addScreen(*store, 1);
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    ASSERT_FALSE(r.stopped()) << r.failure.id << " " << r.detail;
    EXPECT_EQ(r.outcome, BuildResult::Outcome::Complete);
    const auto& f = r.image;
    ASSERT_GT(f.size(), 4096u + 796u);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 4096), driver);
    std::vector<uint8_t> img(f.begin() + 4096, f.end());
    EXPECT_EQ(u16(img, 0), 51u);
    for (size_t at : {15, 16, 17, 18, 31, 34, 35}) {
        EXPECT_EQ(img[at], 0) << at;
    }
    EXPECT_EQ(img[30], 0x58); // the station byte stays
    EXPECT_EQ(u16(img, 28) >> 8, 2u);
    EXPECT_EQ(u16(img, 32), 3u);
    // No change records: screen 1 follows alarm group 1 directly, and has no key records:
    // 10 header + 4 function keys + 36 old keys.
    EXPECT_EQ(u16(img, 42), 796u);
    EXPECT_EQ(u16(img, 6), 796u + 50u);
}

TEST(ImageLayout, ModelNeitherOneNorTwoPortWritesChangesButNoSecondPortSettings) {
    ProgramDir pd("cpu37");
    pd.protocol("Protocol120/comport2/P2.ini", "002");
    auto store = newStore(37);
    store->projectBlock.portNumbers = (3u << 16) | 4u;
    store->changeCount = 2;
    store->changes[0] = ChangeRecord{1, 16, 3, 4, 0x0605, 0x0807};
    store->changes[1] = ChangeRecord{9, 1, 0, 0, 0, 0};
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    const auto& img = r.image;
    for (size_t at : {15, 16, 17, 18}) {
        EXPECT_EQ(img[at], 0) << at;
    }
    EXPECT_EQ(u16(img, 30) >> 8, 2u); // COM2 link kind all the same
    EXPECT_EQ(u16(img, 34), 4u);
    EXPECT_EQ(u16(img, 28) >> 8, 0u); // no COM1 file: "000"
    EXPECT_EQ(img[796], 2);
    EXPECT_EQ(slice(img, 797, 8), (std::vector<uint8_t>{1, 16, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(slice(img, 805, 8), (std::vector<uint8_t>{9, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(u16(img, 6), 813u);
}

TEST(ImageLayout, BaudRatesAndParityLetters) {
    const std::pair<uint32_t, uint8_t> table[] = {{1200, 0xE8}, {2400, 0xF4},  {4800, 0xFA},
                                                  {9600, 0xFD}, {19200, 5},    {38400, 6},
                                                  {57600, 7},   {115200, 8}};
    for (auto [rate, code] : table) {
        EXPECT_EQ(ImageBuilder::baudCode(storedBaud(rate)), code) << rate;
    }
    EXPECT_FALSE(ImageBuilder::baudCode(300));
    EXPECT_FALSE(ImageBuilder::baudCode(0));
    EXPECT_FALSE(ImageBuilder::baudCode(storedBaud(230400)));
    EXPECT_EQ(ImageBuilder::parityLetter('e'), 'E');
    EXPECT_EQ(ImageBuilder::parityLetter('N'), 'N');
    EXPECT_EQ(ImageBuilder::parityLetter('o'), 'O');
    EXPECT_EQ(ImageBuilder::parityLetter('x'), 'N');
    EXPECT_EQ(ImageBuilder::parityLetter(0), 'N');

    ProgramDir pd("baud");
    auto store = newStore(2);
    store->projectBlock.parity[0] = 'x';
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    EXPECT_EQ(r.image[5], 'N');

    store->projectBlock.baud[0] = 300;
    r = build(*store, pd);
    ASSERT_TRUE(r.stopped());
    EXPECT_EQ(r.failure, Message::string(buildmsg::kBaudRate, {"300"}));
    EXPECT_TRUE(r.image.empty());

    // COM2's rate counts only for two-port models.
    store->projectBlock.baud[0] = 9600;
    store->projectBlock.baud[1] = 300;
    r = build(*store, pd);
    ASSERT_TRUE(r.stopped());
    EXPECT_EQ(r.failure, Message::string(buildmsg::kBaudRate, {"300"}));
    store->cpuId = 37;
    EXPECT_FALSE(build(*store, pd).stopped());
}

TEST(ImageLayout, FormatAndChangeRecordLimits) {
    ProgramDir pd("limits");
    auto store = newStore(2);
    prepareLikeSave(*store);
    store->header.format = 50;
    EXPECT_EQ(build(*store, pd).failure.id, buildmsg::kOldFormat);
    store->header.format = 3; // the one old format the panel takes as it is
    EXPECT_FALSE(build(*store, pd).stopped());
    store->header.format = 51;

    store->maxChangeCount = 2;
    store->maxChangeLength = 8;
    store->changeCount = 3;
    EXPECT_EQ(build(*store, pd).failure.id, buildmsg::kTooManyChanges);
    store->changeCount = 2;
    store->changes[1].length = 9;
    BuildResult r = build(*store, pd);
    EXPECT_EQ(r.failure.id, buildmsg::kChangeTooLong);
    EXPECT_TRUE(r.image.empty());
    store->changes[1].length = 8;
    EXPECT_FALSE(build(*store, pd).stopped());
    // One-port models carry no change records, so none are checked.
    store->cpuId = 1;
    store->changes[1].length = 99;
    pd.write("Protocol/P1.bin", std::string(4096, 'a') + "?Y");
    EXPECT_FALSE(build(*store, pd).stopped());
}

TEST(ImageLayout, OnePortDriverMustBeWholeAndMarked) {
    ProgramDir pd("driver");
    auto store = newStore(1);
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    EXPECT_EQ(r.failure.id, buildmsg::kDriverMissing);
    EXPECT_EQ(r.detail, pd.file("Protocol/P1.bin"));
    pd.write("Protocol/P1.bin", std::string(4095, 'a'));
    EXPECT_EQ(build(*store, pd).failure.id, buildmsg::kDriverDamaged);
    pd.write("Protocol/P1.bin", std::string(4096, 'a')); // whole, but no marker after it
    EXPECT_EQ(build(*store, pd).failure.id, buildmsg::kDriverDamaged);
    pd.write("Protocol/P1.bin", std::string(4096, 'a') + "xy");
    EXPECT_EQ(build(*store, pd).failure.id, buildmsg::kDriverDamaged);
    pd.write("Protocol/P1.bin", std::string(4096, 'a') + "X");
    EXPECT_FALSE(build(*store, pd).stopped());
    pd.write("Protocol/P1.bin", std::string(4096, 'a') + "?Y");
    EXPECT_FALSE(build(*store, pd).stopped());
    // A name that points out of the protocol directory is never read.
    pd.write("P1.bin", std::string(4096, 'a') + "X");
    store->com1ProtocolName = "../P1";
    EXPECT_EQ(build(*store, pd).failure.id, buildmsg::kDriverMissing);
}

TEST(ImageLayout, SizeWarningsDoNotStopTheBuild) {
    ProgramDir pd("size");
    auto store = newStore(2);
    // Pictures of 248 x 248 dots: 31 bands of 248 bytes, 7688 bytes each.
    auto addPictures = [&](int n) {
        for (int p = 1; p <= n; ++p) {
            store->pictures[p].id = static_cast<uint8_t>(p);
            store->pictures[p].width = 248;
            store->pictures[p].height = 248;
            store->pictures[p].dots.assign(248 * 248, '\1');
        }
    };
    addPictures(6); // 814 + 46128 = 46942: below 47104
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    EXPECT_EQ(r.image.size(), 46942u);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(u16(r.image, 40 + 2 * 201), 0u);
    EXPECT_EQ(u16(r.image, 40 + 2 * 206), 5u * 7688u);

    addPictures(7);
    r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    EXPECT_EQ(r.image.size(), 46942u + 7688u);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].id, buildmsg::kTooLong);

    // One-port models have less room; the driver bytes count.
    store->cpuId = 1;
    pd.write("Protocol/P1.bin", std::string(4096, 'a') + "X");
    addPictures(3);
    for (int p = 4; p <= 7; ++p) {
        store->pictures[p] = PictureTableEntry{};
    }
    r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    EXPECT_EQ(r.image.size(), 4096u + 813u + 3u * 7688u); // 27973
    EXPECT_TRUE(r.warnings.empty());
    addPictures(4);
    r = build(*store, pd);
    ASSERT_FALSE(r.stopped());
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].id, buildmsg::kTooLongOnePort);
}

TEST(ImageLayout, ImageBeyondSixteenBitOffsetsStopsTheBuild) {
    ProgramDir pd("overflow");
    auto store = newStore(2);
    for (int p = 1; p <= 8; ++p) {
        store->pictures[p].id = static_cast<uint8_t>(p);
        store->pictures[p].width = 248;
        store->pictures[p].height = 248;
        store->pictures[p].dots.assign(248 * 248, '\1');
    }
    prepareLikeSave(*store);
    BuildResult r = build(*store, pd); // 814 + 8 x 7688 = 62318: still addressable
    ASSERT_FALSE(r.stopped());
    EXPECT_EQ(r.image.size(), 62318u);
    // 65535 is the last offset the panel can reach.
    auto picture = [&](int p, int width, int height) {
        store->pictures[p].id = static_cast<uint8_t>(p);
        store->pictures[p].width = static_cast<uint8_t>(width);
        store->pictures[p].height = static_cast<uint8_t>(height);
        store->pictures[p].dots.assign(static_cast<size_t>(width * height), '\1');
    };
    picture(9, 146, 184); // 23 bands x 146 = 3358 bytes: 65676 in all
    r = build(*store, pd);
    ASSERT_TRUE(r.stopped());
    EXPECT_EQ(r.failure, Message::string(buildmsg::kImageNotAddressable, {"65676"}));
    EXPECT_TRUE(r.image.empty());
    // Exactly 65536 bytes still fits: every byte has an offset.
    picture(9, 248, 96); // 2976 bytes
    picture(10, 242, 8); // 242 bytes: 62318 + 3218 = 65536
    r = build(*store, pd);
    ASSERT_FALSE(r.stopped()) << r.failure.id;
    EXPECT_EQ(r.image.size(), 65536u);
    EXPECT_EQ(u16(r.image, 12), 65535u);
}
