#include "forms/LampForm.h"

#include "ObjectFormTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dispcraft {
namespace {

// A lamp file whose first picture is dark in its bottom-left dot only and whose second picture
// is all dark.
std::vector<uint8_t> lampBytes(int size) {
    std::vector<uint8_t> b(static_cast<size_t>(2 * size * size), 1);
    b[0] = 0;
    for (int row = 0; row < size; ++row) {
        for (int c = size; c < 2 * size; ++c) {
            b[static_cast<size_t>(row * 2 * size + c)] = 0;
        }
    }
    return b;
}

class LampFormTest : public ::testing::Test {
protected:
    LampFormTest() : dir("lamp-form") {
        dir.write("lamp20_big.lmp", lampBytes(32));
        dir.write("Lamp03.LMP", lampBytes(16));
        dir.write("lamp01_small.lmp", lampBytes(16));
        dir.write("broken.lmp", std::vector<uint8_t>(513, 1));
        dir.write("notes.txt", {1, 2});
    }
    LampForm::Preset preset(const std::string& name = "") const {
        LampForm::Preset p;
        p.lampName = name;
        p.portCount = 2;
        p.ports = test::testPorts();
        for (auto& port : p.ports) {
            for (auto& t : port.bitAreas.areas) {
                if (t.name != "end") {
                    t.range = "0999";
                    t.format = "9999";
                }
            }
        }
        return p;
    }
    test::FormScratchDir dir;
};

TEST_F(LampFormTest, FileListIsSortedAndFindsThePresetLamp) {
    LampForm f(preset("lamp20_big"), dir.path());
    ASSERT_EQ(f.rows().size(), 4u);
    EXPECT_EQ(f.rows()[0].title, "broken");
    EXPECT_EQ(f.rows()[1].title, "lamp01_small");
    EXPECT_EQ(f.rows()[2].title, "Lamp03");
    EXPECT_EQ(f.rows()[3].id, "4");
    EXPECT_EQ(f.rememberedRow(), 3);
    EXPECT_TRUE(f.lampPath().empty());
    EXPECT_EQ(f.timerFired(), 3);
    EXPECT_EQ(f.selectedRow(), 3);
    EXPECT_EQ(f.lampName(), "lamp20_big");
    EXPECT_FALSE(f.lampPath().empty());

    LampForm none(preset("gone"), dir.path() + "/missing");
    EXPECT_TRUE(none.rows().empty());
    EXPECT_EQ(none.timerFired(), -1);
    LampForm empty(preset(), dir.path() + "/missing");
    auto o = empty.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::string(61624));
}

TEST_F(LampFormTest, ALampWhoseFileHasGoneKeepsItsNameAndTakesANewAddress) {
    LampForm::Preset p = preset("gone");
    p.attr = 0x40;
    p.lampSize = 32; // the standard lamp shown in its place
    p.areaAndBit = 0x10;
    p.addressNumber = 5;
    LampForm f(p, dir.path());
    EXPECT_EQ(f.rememberedRow(), -1);
    EXPECT_EQ(f.missingFile(), Message::string(61558));
    f.address().fields().addressText = "0012";
    auto o = f.ok();
    ASSERT_TRUE(o.ok()) << o.message.id;
    EXPECT_EQ(o.values->lampName, "gone");
    EXPECT_EQ(o.values->lampSize, 32);
    EXPECT_EQ(o.values->attr & 0x40, 0x40);
    EXPECT_EQ(o.values->addressNumber, 12);

    // Another file chosen is taken as usual; a lamp found in the directory reports nothing.
    f.chooseRow(2);
    o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->lampName, "Lamp03");
    EXPECT_EQ(o.values->lampSize, 16);
    EXPECT_FALSE(LampForm(preset("lamp20_big"), dir.path()).missingFile());
}

TEST_F(LampFormTest, SizeBitFollowsTheChosenFile) {
    LampForm f(preset(), dir.path());
    f.chooseRow(3); // 2048 bytes
    auto o = f.ok();
    ASSERT_TRUE(o.ok()) << o.message.id;
    EXPECT_EQ(o.values->attr & 0x40, 0x40);
    EXPECT_EQ(o.values->lampSize, 32);
    f.chooseRow(2); // capital extension, 512 bytes
    o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr & 0x40, 0);
    EXPECT_EQ(o.values->lampName, "Lamp03");

    f.chooseRow(0);
    EXPECT_EQ(f.preview().message, Message::string(61626));
    EXPECT_EQ(f.ok().message, Message::string(61626));
}

TEST_F(LampFormTest, PreviewPositionsAndOrderFlag) {
    LampForm f(preset(), dir.path());
    f.chooseRow(1);
    auto p = f.preview();
    ASSERT_TRUE(p.drawn);
    EXPECT_EQ(p.pictures[0].top, 10);
    EXPECT_EQ(p.pictures[1].top, 80);
    EXPECT_EQ(p.pictures[0].left, 10);
    // Row 0 of the file is the bottom of the picture.
    EXPECT_TRUE(p.pictures[0].at(0, 15));
    EXPECT_FALSE(p.pictures[0].at(0, 0));
    EXPECT_TRUE(p.pictures[1].at(5, 5));

    f.setPictureOrder(true);
    p = f.preview();
    EXPECT_EQ(p.pictures[1].top, 10);
    EXPECT_EQ(p.pictures[0].top, 80);
    EXPECT_EQ(f.ok().values->attr, 0x80);
}

TEST_F(LampFormTest, PortsRelayTypesAndAddress) {
    LampForm::Preset p = preset("lamp01_small");
    p.attr = 0x04;
    p.areaAndBit = 0x2A;
    p.addressNumber = 12;
    LampForm f(p, dir.path());
    f.timerFired();
    EXPECT_TRUE(objectaddress::com2(f.address()));
    EXPECT_EQ(f.address().typeEntries().size(), 3u);
    EXPECT_EQ(f.address().fields().bitNumber, 0); // COM2 takes no bit numbers
    auto o = f.ok();
    ASSERT_TRUE(o.ok());
    EXPECT_EQ(o.values->attr, 0x04);
    EXPECT_EQ(o.values->areaAndBit, 0x20);
    EXPECT_EQ(o.values->addressNumber, 12);

    // On a one-port model the same lamp falls back to COM1.
    p.portCount = 1;
    LampForm one(p, dir.path());
    EXPECT_FALSE(objectaddress::com2(one.address()));
    EXPECT_EQ(one.address().fields().bitNumber, 10);

    one.timerFired();
    one.address().fields().addressText = "1000";
    o = one.ok();
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.message, Message::followed(61455, "0999)!"));
    EXPECT_EQ(o.focus, LampForm::kAddress);
}

TEST_F(LampFormTest, NamesThatCannotBeStoredAreRefused) {
    LampForm f(preset("../outside"), dir.path());
    EXPECT_EQ(f.rememberedRow(), -1);
    EXPECT_EQ(f.ok().message.id, objectform::kBadLampName);
    dir.write("lamp05_a_name_longer_than_19.lmp", lampBytes(16));
    LampForm g(preset(), dir.path());
    g.chooseRow(3);
    ASSERT_EQ(g.lampName(), "lamp05_a_name_longer_than_19");
    EXPECT_EQ(g.ok().message.id, objectform::kBadLampName);
}

// A failing file is reported at the first repaint after it was chosen, not on every repaint.
TEST_F(LampFormTest, PreviewFailureIsNotifiedOncePerChoice) {
    LampForm f(preset(), dir.path());
    EXPECT_FALSE(f.preview().filled);
    f.chooseRow(0); // 513 bytes
    auto p = f.preview();
    EXPECT_TRUE(p.filled);
    EXPECT_FALSE(p.drawn);
    EXPECT_TRUE(p.notify);
    EXPECT_EQ(p.message, Message::string(61626));
    p = f.preview();
    EXPECT_FALSE(p.notify);
    EXPECT_EQ(p.message, Message::string(61626));
    f.chooseRow(1);
    EXPECT_TRUE(f.preview().drawn);
    f.chooseRow(0);
    EXPECT_TRUE(f.preview().notify);
    std::filesystem::remove(dir.path() + "/broken.lmp");
    f.chooseRow(0);
    p = f.preview();
    EXPECT_TRUE(p.notify);
    EXPECT_EQ(p.message, Message::string(61625));
}

} // namespace
} // namespace dispcraft
