// Keys as the panel takes them: function keys, the 25 panel keys of two-port models, the six
// short records of one-port models, and the PLC words the panel settings hand to the panel.

#include "SimTestSupport.h"

using namespace simtest;

namespace {

// Bit action on COM1 bit area 0 (M), bit number 0, in a mode.
void bitKey(KeyRecord& k, uint16_t address, int mode) {
    k = KeyRecord{};
    k.kind = kKindKey;
    k.flags = static_cast<uint8_t>(0x40 | mode);
    k.address = address;
}

TEST(PanelKeys, EachBitModeActsOnItsBitAndAMomentaryKeyLetsGoOnRelease) {
    SimProject p;
    for (int mode = 0; mode < 4; ++mode) {
        bitKey(p.key(1, mode + 1), static_cast<uint16_t>(10 + mode), mode);
    }
    auto sim = p.start();
    PanelRuntime& panel = sim->panel();
    SimulatedPlc& plc = sim->plc();
    plc.setBit(0, 0, 11, 0, true); // the reset key's bit starts on
    auto bitOf = [&](int a) { return plc.bit(0, 0, static_cast<uint32_t>(a), 0); };

    panel.pressKey(1);
    panel.releaseKey(1);
    EXPECT_TRUE(bitOf(10)) << "mode 0 sets";
    panel.pressKey(2);
    panel.releaseKey(2);
    EXPECT_FALSE(bitOf(11)) << "mode 1 resets";
    panel.pressKey(3);
    panel.releaseKey(3);
    EXPECT_TRUE(bitOf(12)) << "mode 2 inverts";
    panel.pressKey(3);
    panel.releaseKey(3);
    EXPECT_FALSE(bitOf(12)) << "mode 2 inverts back";
    panel.pressKey(4);
    EXPECT_TRUE(bitOf(13)) << "mode 3 sets while held";
    sim->advance(500);
    EXPECT_TRUE(bitOf(13));
    panel.releaseKey(4);
    EXPECT_FALSE(bitOf(13)) << "mode 3 resets on release";
    // A set bit stays set after its key is let go.
    EXPECT_TRUE(bitOf(10));
}

TEST(PanelKeys, WordActionsWriteTheValueInItsSizeAndCoding) {
    SimProject p;
    KeyRecord& plain = p.key(1, 1);
    plain.kind = kKindKey;
    plain.flags = 0x01; // 16 bits, unsigned
    plain.address = 100;
    plain.operand = 1234;
    KeyRecord& bcd = p.key(1, 2);
    bcd.kind = kKindKey;
    bcd.flags = 0x01 | 0x08; // 16 bits, decimal digits
    bcd.address = 101;
    bcd.operand = 1234;
    KeyRecord& wide = p.key(1, 3);
    wide.kind = kKindKey;
    wide.flags = 0x80 | 0x02 | 0x04; // COM2, 32 bits, signed
    wide.address = 200;
    wide.operand = static_cast<uint32_t>(-100000);
    auto sim = p.start();
    for (int k = 1; k <= 3; ++k) {
        sim->panel().pressKey(k);
        sim->panel().releaseKey(k);
    }
    EXPECT_EQ(sim->plc().word(0, 0, 100), 1234);
    EXPECT_EQ(sim->plc().word(0, 0, 101), 0x1234);
    const uint32_t raw = sim->plc().word(1, 0, 200) | (uint32_t{sim->plc().word(1, 0, 201)} << 16);
    EXPECT_EQ(static_cast<int32_t>(raw), -100000);
    EXPECT_EQ(sim->plc().word(0, 0, 200), 0) << "the COM2 word, not COM1's";
}

TEST(PanelKeys, ScreenKeysFunctionKeysAndTheNeighbourDefaults) {
    SimProject p;
    p.store->screens[1].fnKeys = {3, 0, 0, 0};
    p.key(1, 5).kind = kKindKey;
    p.key(1, 5).screen = 3;
    auto sim = p.start();
    PanelRuntime& panel = sim->panel();
    ASSERT_EQ(panel.currentScreen(), 1);
    panel.pressFunctionKey(4); // next screen, filled in by the build
    EXPECT_EQ(panel.currentScreen(), 2);
    panel.pressFunctionKey(3); // previous screen
    EXPECT_EQ(panel.currentScreen(), 1);
    panel.pressFunctionKey(2); // nothing set
    EXPECT_EQ(panel.currentScreen(), 1);
    panel.pressFunctionKey(1);
    EXPECT_EQ(panel.currentScreen(), 3);
    panel.pressKey(9); // key 9 (Left) of screen 3 steps back
    panel.releaseKey(9);
    EXPECT_EQ(panel.currentScreen(), 2);
    panel.pressKey(10); // key 10 (Right) steps on
    panel.releaseKey(10);
    EXPECT_EQ(panel.currentScreen(), 3);
    sim->panel().showScreen(1);
    panel.pressKey(5);
    panel.releaseKey(5);
    EXPECT_EQ(panel.currentScreen(), 3);
    EXPECT_FALSE(panel.showScreen(7)) << "a screen the image lacks";
    EXPECT_EQ(panel.currentScreen(), 3);
}

TEST(PanelKeys, OnePortModelsTakeTheSixShortRecords) {
    SimProject p(1);
    p.dir.write("Protocol/P1.bin", std::string(4096, '\0') + "XY");
    for (KeyRecord& global : p.store->globalKeys) {
        global.kind = 1; // each screen has its own keys
    }
    bitKey(p.key(1, 2), 7, 0);
    p.key(1, 1).kind = kKindKey;
    p.key(1, 1).screen = 2;
    bitKey(p.key(1, 7), 8, 0); // beyond the six: no record in the image
    auto sim = p.start();
    ASSERT_TRUE(sim->image().onePort());
    sim->panel().pressKey(2);
    sim->panel().pressKey(7);
    EXPECT_TRUE(sim->plc().bit(0, 0, 7, 0));
    EXPECT_FALSE(sim->plc().bit(0, 0, 8, 0));
    EXPECT_FALSE(sim->panel().keyFunction(7));
    sim->panel().pressKey(1);
    EXPECT_EQ(sim->panel().currentScreen(), 2);
}

TEST(PanelSettings, TheScreenWordAndTheScreenBitsChangeScreens) {
    SimProject p;
    ProjectBlock& pb = p.store->projectBlock;
    pb.panelOptions = 0x01 | 0x02 | 0x08; // both addresses, address 2 on COM2
    pb.controlAddress1 = 50;                 // address 1: COM1 D 0050
    pb.controlAddress2 = 60;                 // address 2: COM2 D 0060 and 0061
    p.store->systemBlock.bitScreenCount = 20;
    p.store->systemBlock.bitScreens[3] = 2;
    p.store->systemBlock.bitScreens[17] = 3;
    auto sim = p.start();
    PanelRuntime& panel = sim->panel();
    SimulatedPlc& plc = sim->plc();
    EXPECT_EQ(plc.word(0, 0, 50), 1) << "the panel writes the screen it shows";

    plc.setWord(0, 0, 50, 3);
    sim->advance(100);
    EXPECT_EQ(panel.currentScreen(), 3);
    plc.setWord(0, 0, 50, 9); // no such screen: ignored, and left as written
    sim->advance(100);
    EXPECT_EQ(panel.currentScreen(), 3);
    EXPECT_EQ(plc.word(0, 0, 50), 9);

    plc.setWord(1, 0, 60, 1u << 3);
    sim->advance(100);
    EXPECT_EQ(panel.currentScreen(), 2);
    EXPECT_EQ(plc.word(0, 0, 50), 2);
    panel.showScreen(1);
    sim->advance(300); // a bit that stays on asks once
    EXPECT_EQ(panel.currentScreen(), 1);
    plc.setWord(1, 0, 61, 1u << (17 - 16)); // bit 17 lies in the second word
    sim->advance(100);
    EXPECT_EQ(panel.currentScreen(), 3);
}

} // namespace
