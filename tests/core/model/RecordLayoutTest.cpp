#include "model/ProjectStore.h"

#include <gtest/gtest.h>

#include <cstddef>

using namespace dispcraft;

// Every stored record is written byte for byte; these are the sizes and offsets the project file,
// the image and older files depend on.
TEST(RecordLayout, ObjectRecords) {
    EXPECT_EQ(sizeof(TextStringRecord), 20u);
    EXPECT_EQ(offsetof(TextStringRecord, x), 2u);
    EXPECT_EQ(offsetof(TextStringRecord, y), 4u);
    EXPECT_EQ(offsetof(TextStringRecord, attr), 6u);
    EXPECT_EQ(offsetof(TextStringRecord, textOffset), 8u);
    EXPECT_EQ(offsetof(TextStringRecord, textLength), 12u);

    EXPECT_EQ(sizeof(MsgDispRecord), 96u);
    EXPECT_EQ(offsetof(MsgDispRecord, attr), 6u);
    EXPECT_EQ(offsetof(MsgDispRecord, textOffsets), 8u);
    EXPECT_EQ(offsetof(MsgDispRecord, textLengths), 72u);
    EXPECT_EQ(offsetof(MsgDispRecord, areaAndBit), 88u);
    EXPECT_EQ(offsetof(MsgDispRecord, address), 90u);

    EXPECT_EQ(sizeof(NumDispRecord), 40u);
    EXPECT_EQ(offsetof(NumDispRecord, attr), 6u);
    EXPECT_EQ(offsetof(NumDispRecord, options), 7u);
    EXPECT_EQ(offsetof(NumDispRecord, address), 8u);
    EXPECT_EQ(offsetof(NumDispRecord, maximum), 12u);
    EXPECT_EQ(offsetof(NumDispRecord, minimum), 16u);
    EXPECT_EQ(offsetof(NumDispRecord, scaleBits), 20u);
    EXPECT_EQ(offsetof(NumDispRecord, previewOffset), 24u);
    EXPECT_EQ(offsetof(NumDispRecord, previewLength), 28u);
    EXPECT_EQ(offsetof(NumDispRecord, digits), 36u);
    EXPECT_EQ(offsetof(NumDispRecord, decimals), 37u);
    EXPECT_EQ(offsetof(NumDispRecord, areaAndBit), 38u);
    EXPECT_EQ(sizeof(NumDispSideRecord), 8u);

    EXPECT_EQ(sizeof(BarGraphRecord), 24u);
    EXPECT_EQ(offsetof(BarGraphRecord, address), 8u);
    EXPECT_EQ(offsetof(BarGraphRecord, maximum), 10u);
    EXPECT_EQ(offsetof(BarGraphRecord, minimum), 12u);
    EXPECT_EQ(offsetof(BarGraphRecord, thickness), 14u);
    EXPECT_EQ(offsetof(BarGraphRecord, length), 15u);
    EXPECT_EQ(offsetof(BarGraphRecord, areaAndBit), 20u);

    EXPECT_EQ(sizeof(TrendGraphRecord), 24u);
    EXPECT_EQ(offsetof(TrendGraphRecord, address), 8u);
    EXPECT_EQ(offsetof(TrendGraphRecord, width), 14u);
    EXPECT_EQ(offsetof(TrendGraphRecord, height), 15u);
    EXPECT_EQ(offsetof(TrendGraphRecord, spacing), 16u);
    EXPECT_EQ(offsetof(TrendGraphRecord, pointCount), 17u);
    EXPECT_EQ(offsetof(TrendGraphRecord, settingA), 18u);
    EXPECT_EQ(offsetof(TrendGraphRecord, areaAndBit), 19u);

    EXPECT_EQ(sizeof(LampRecord), 48u);
    EXPECT_EQ(offsetof(LampRecord, address), 8u);
    EXPECT_EQ(offsetof(LampRecord, dotCount), 16u);
    EXPECT_EQ(offsetof(LampRecord, areaAndBit), 20u);
    EXPECT_EQ(offsetof(LampRecord, name), 21u);

    EXPECT_EQ(sizeof(PictureObjectRecord), 16u);
    EXPECT_EQ(offsetof(PictureObjectRecord, width), 6u);
    EXPECT_EQ(offsetof(PictureObjectRecord, height), 7u);
    EXPECT_EQ(offsetof(PictureObjectRecord, pictureNo), 8u);
}

// The common head: kind at 0, x at 2, y at 4 and, where the kind has one, attributes at 6.
template <typename R>
void expectHead() {
    EXPECT_EQ(offsetof(R, kind), 0u);
    EXPECT_EQ(offsetof(R, x), 2u);
    EXPECT_EQ(offsetof(R, y), 4u);
    if constexpr (requires { &R::attr; }) {
        EXPECT_EQ(offsetof(R, attr), 6u);
    }
}

TEST(RecordLayout, CommonHeadAndLampName) {
    expectHead<TextStringRecord>();
    expectHead<MsgDispRecord>();
    expectHead<NumDispRecord>();
    expectHead<BarGraphRecord>();
    expectHead<TrendGraphRecord>();
    expectHead<LampRecord>();
    expectHead<PictureObjectRecord>();

    // The lamp picture number is the two digits after "lamp" at offsets 25 and 26.
    LampRecord l{};
    l.setName("lamp07_32x32");
    const auto* bytes = reinterpret_cast<const uint8_t*>(&l);
    EXPECT_EQ(bytes[25], '0');
    EXPECT_EQ(bytes[26], '7');
    EXPECT_EQ(bytes[40], 0);
}

TEST(RecordLayout, KeyRecords) {
    EXPECT_EQ(sizeof(KeyRecord), 16u);
    EXPECT_EQ(offsetof(KeyRecord, flags), 2u);
    EXPECT_EQ(offsetof(KeyRecord, address), 4u);
    EXPECT_EQ(offsetof(KeyRecord, areaAndBit), 6u);
    EXPECT_EQ(offsetof(KeyRecord, screen), 7u);
    EXPECT_EQ(offsetof(KeyRecord, word8), 8u);
    EXPECT_EQ(offsetof(KeyRecord, operand), 12u);
    EXPECT_EQ(sizeof(OldKeyRecord), 12u);
    EXPECT_EQ(offsetof(OldKeyRecord, address), 4u);
    EXPECT_EQ(offsetof(OldKeyRecord, areaAndBit), 6u);
    EXPECT_EQ(offsetof(OldKeyRecord, word8), 8u);
}

TEST(RecordLayout, ProjectBlocks) {
    EXPECT_EQ(sizeof(ScreenEntry), 32u);
    EXPECT_EQ(offsetof(ScreenEntry, name), 1u);
    EXPECT_EQ(offsetof(ScreenEntry, fileOffset), 12u);
    EXPECT_EQ(offsetof(ScreenEntry, textCount), 16u);
    EXPECT_EQ(offsetof(ScreenEntry, msgCount), 17u);
    EXPECT_EQ(offsetof(ScreenEntry, numCount), 18u);
    EXPECT_EQ(offsetof(ScreenEntry, barCount), 19u);
    EXPECT_EQ(offsetof(ScreenEntry, trendCount), 20u);
    EXPECT_EQ(offsetof(ScreenEntry, lampCount), 21u);
    EXPECT_EQ(offsetof(ScreenEntry, pictureCount), 22u);
    EXPECT_EQ(offsetof(ScreenEntry, poolLength8), 23u);
    EXPECT_EQ(offsetof(ScreenEntry, poolLength32), 28u);

    EXPECT_EQ(sizeof(ProjectBlock), 76u);
    EXPECT_EQ(offsetof(ProjectBlock, com2Protocol), 20u);
    EXPECT_EQ(offsetof(ProjectBlock, baud[0]), 40u);
    EXPECT_EQ(offsetof(ProjectBlock, baud[1]), 42u);
    EXPECT_EQ(offsetof(ProjectBlock, dataBits[0]), 44u);
    EXPECT_EQ(offsetof(ProjectBlock, stopBits[0]), 46u);
    EXPECT_EQ(offsetof(ProjectBlock, parity[0]), 48u);
    EXPECT_EQ(offsetof(ProjectBlock, parity[1]), 49u);
    EXPECT_EQ(offsetof(ProjectBlock, startScreen), 50u);
    EXPECT_EQ(offsetof(ProjectBlock, panelOptions), 51u);
    EXPECT_EQ(offsetof(ProjectBlock, panelSetting1), 52u);
    EXPECT_EQ(offsetof(ProjectBlock, controlAddress1), 54u);
    EXPECT_EQ(offsetof(ProjectBlock, controlAddress2), 56u);
    EXPECT_EQ(offsetof(ProjectBlock, controlAreaAndBit1), 58u);
    EXPECT_EQ(offsetof(ProjectBlock, controlAreaAndBit2), 59u);
    EXPECT_EQ(offsetof(ProjectBlock, panelSetting4), 60u);
    EXPECT_EQ(offsetof(ProjectBlock, panelSetting3), 62u);
    EXPECT_EQ(offsetof(ProjectBlock, panelSetting2), 64u);
    EXPECT_EQ(offsetof(ProjectBlock, portNumbers), 68u);

    EXPECT_EQ(sizeof(AlarmBlock), 332u);
    EXPECT_EQ(offsetof(AlarmBlock, offsets), 4u);
    EXPECT_EQ(offsetof(AlarmBlock, lengths), 260u);
    EXPECT_EQ(offsetof(AlarmBlock, count), 324u);
    EXPECT_EQ(offsetof(AlarmBlock, areaAndBit), 325u);
    EXPECT_EQ(offsetof(AlarmBlock, options), 328u);

    EXPECT_EQ(sizeof(SystemBlock), 36u);
    EXPECT_EQ(sizeof(ChangeRecord), 8u);
    EXPECT_EQ(offsetof(ChangeRecord, length), 1u);
    EXPECT_EQ(offsetof(ChangeRecord, firstBitAndArea), 2u);
    EXPECT_EQ(offsetof(ChangeRecord, secondBitAndArea), 3u);
    EXPECT_EQ(offsetof(ChangeRecord, firstAddress), 4u);
    EXPECT_EQ(offsetof(ChangeRecord, secondAddress), 6u);

    EXPECT_EQ(sizeof(FileHeader), 20u);
    EXPECT_EQ(offsetof(FileHeader, format), 4u);
    EXPECT_EQ(offsetof(FileHeader, modelCode), 6u);
    EXPECT_EQ(sizeof(FileIndex), 48u);
    EXPECT_EQ(offsetof(FileIndex, alarm1Offset), 4u);
    EXPECT_EQ(offsetof(FileIndex, scratchOffset), 8u);
    EXPECT_EQ(offsetof(FileIndex, scratchLength), 12u);
    EXPECT_EQ(offsetof(FileIndex, globalPoolOffset), 16u);
    EXPECT_EQ(offsetof(FileIndex, globalPoolLength), 20u);
    EXPECT_EQ(offsetof(FileIndex, globalOldKeysOffset), 24u);
    EXPECT_EQ(offsetof(FileIndex, pictureDotsOffset), 28u);
    EXPECT_EQ(offsetof(FileIndex, pictureDotsLength), 32u);
    EXPECT_EQ(offsetof(FileIndex, alarmPool1Length), 36u);
    EXPECT_EQ(offsetof(FileIndex, screenPoolsLength), 40u);
    EXPECT_EQ(offsetof(FileIndex, alarmPool2Length), 44u);
    EXPECT_EQ(sizeof(PictureDirEntry), 12u);
    EXPECT_EQ(offsetof(PictureDirEntry, width), 4u);
    EXPECT_EQ(offsetof(PictureDirEntry, height), 5u);
}

TEST(ScreenEntry, PoolLengthFields) {
    ScreenEntry e{};
    e.setPoolLength(255);
    EXPECT_EQ(e.poolLength8, 255);
    EXPECT_EQ(e.poolLength32, 0u);
    EXPECT_EQ(e.poolLength(), 255u);
    e.setPoolLength(256);
    EXPECT_EQ(e.poolLength8, 0);
    EXPECT_EQ(e.poolLength32, 256u);
    EXPECT_EQ(e.poolLength(), 256u);
    // A non-zero byte field wins over the 32-bit field.
    e.poolLength8 = 3;
    EXPECT_EQ(e.poolLength(), 3u);
}

TEST(ProjectStore, ResetAndNewProject) {
    auto store = std::make_unique<ProjectStore>();
    store->entries[5].number = 5;
    store->screens[5].textPool = "abc";
    store->globalKeys[3].kind = 7;
    store->globalKeys[3].operand = 99;
    store->changeCount = 3;
    store->changes[2].length = 4;
    store->projectBlock.controlAreaAndBit1 = 9;
    store->reset();
    EXPECT_FALSE(store->screenExists(5));
    EXPECT_TRUE(store->screens[5].textPool.empty());
    EXPECT_EQ(store->globalKeys[3].kind, 0);
    EXPECT_EQ(store->globalKeys[3].operand, 0u);
    EXPECT_EQ(store->changeCount, 0);
    EXPECT_EQ(store->changes[2].length, 0);
    EXPECT_EQ(store->projectBlock.controlAreaAndBit1, 0);
    EXPECT_EQ(store->screens[7].oldKeys[2].flags, 2);

    store->modelTitle = "TR - C";
    store->com1ProtocolName = "FX_CPU";
    store->defaultStation = 3;
    SerialSettings s1{115200, 7, 2, 'e'};
    store->initialiseNewProject(s1, SerialSettings{});
    EXPECT_EQ(std::string(store->header.magic, 4), "DAVO");
    EXPECT_EQ(store->header.format, 51);
    EXPECT_EQ(store->header.modelCode, 'C');
    EXPECT_EQ(store->projectBlock.baud[0], 49664);
    EXPECT_EQ(store->serial(1), s1);
    EXPECT_EQ(store->projectBlock.startScreen, 1);
    EXPECT_EQ(store->projectBlock.panelSetting2, 5);
    EXPECT_EQ(store->alarms[0].areaAndBit, 3);
    EXPECT_EQ(store->alarms[1].areaAndBit, 3);
    EXPECT_EQ(store->globalOldKeys[5].areaAndBit, 3);
    EXPECT_EQ(store->globalKeys[24].areaAndBit, 3);
    EXPECT_EQ(store->projectBlock.controlAreaAndBit1, 3);
    EXPECT_EQ(store->projectBlock.controlAreaAndBit2, 3);
    EXPECT_EQ(ProjectBlock::nameOf(store->projectBlock.com1Protocol), "FX_CPU");
    EXPECT_TRUE(store->projectOpen);
}

TEST(ProjectStore, GlobalKeyCopyRule) {
    std::array<KeyRecord, 25> global{}, screen{};
    global[0].kind = 0;
    global[0].screen = 12;
    global[1].kind = 9;
    global[1].screen = 4;
    screen[0].screen = 1;
    screen[1].screen = 2;
    panelkeys::applyGlobalKeyCopy(global, screen);
    EXPECT_EQ(screen[0].kind, 9);
    EXPECT_EQ(screen[0].screen, 12);
    EXPECT_EQ(screen[1].screen, 2); // defined project-wide records leave the screen's alone
}
