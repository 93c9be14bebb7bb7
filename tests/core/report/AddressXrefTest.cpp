#include "ReportTestSupport.h"

#include "report/AddressXref.h"
#include "sim/SimMessages.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// Every kind of record that uses an address, spread over two screens and the project.
std::unique_ptr<ProjectStore> projectWithUses() {
    auto st = reportProject();
    addEmptyScreen(*st, 1, "main");
    ScreenBlock& b1 = st->screens[1];
    ScreenEntry& e1 = st->entries[1];
    addText(*st, 1, 0, 0, "title");
    MsgDispRecord& m = addMessages(*st, 1, {"off", "on"});
    m.attr = attrbits::kCom2; // PW 0007 on COM2
    m.address = 7;
    e1.numCount = 2;
    b1.numDisps[0] = {};
    b1.numDisps[0].kind = kKindNumDisp;
    b1.numDisps[0].attr = NumDispRecord::kWide; // W 0010 and W 0011
    b1.numDisps[0].areaAndBit = 0x10;
    b1.numDisps[0].address = 0x10;
    b1.numDisps[0].digits = 5;
    b1.numDisps[1] = {};
    b1.numDisps[1].kind = kKindNumDisp; // a clock display reads no PLC
    b1.numDisps[1].attr = NumDispRecord::kBcd;
    b1.numDisps[1].options = NumDispRecord::kScaled;
    b1.numDisps[1].address = 2;
    e1.barCount = 1;
    b1.barGraphs[0] = {};
    b1.barGraphs[0].kind = kKindBarGraph;
    b1.barGraphs[0].areaAndBit = 0x10; // the NumDisp's first word
    b1.barGraphs[0].address = 0x10;
    e1.lampCount = 1;
    b1.lamps[0] = {};
    b1.lamps[0].kind = kKindLamp;
    b1.lamps[0].areaAndBit = 0x13; // M 0100, bit 3
    b1.lamps[0].address = 100;

    addEmptyScreen(*st, 2, "second");
    ScreenBlock& b2 = st->screens[2];
    st->entries[2].trendCount = 1;
    b2.trendGraphs[0] = {};
    b2.trendGraphs[0].kind = kKindTrendGraph;
    b2.trendGraphs[0].address = 120; // D 0120

    // Key 2 is each screen's own: screen 2 sets X 0017; key 5 writes a 32-bit value everywhere.
    st->globalKeys[1].flags = KeyRecord::kScreenOption;
    b2.keys[1].flags = KeyRecord::kBitAction | 3;
    b2.keys[1].address = 15;
    b1.keys[4].flags = KeyRecord::kBitAction; // not the screen's own: ignored
    st->globalKeys[4].flags = KeyRecord::kWord32;
    st->globalKeys[4].areaAndBit = 0x10;
    st->globalKeys[4].address = 300;

    st->alarmGroupCount = 1;
    st->alarms[0].startAddress = 6;
    st->alarms[0].count = 3; // X 0006, 0007, 0010: octal positions
    st->alarms[1].count = 2; // the model has one group: not in use
    st->alarms[1].startAddress = 50;
    st->changeCount = 1;
    st->changes[0] = ChangeRecord{0, 2, 0x01, 0x00, 0x20, 9}; // W 0020-0021 <-> PW 0009-0010
    st->projectBlock.panelOptions = ProjectBlock::kUseAddress2 | ProjectBlock::kAddress2OnCom2;
    st->projectBlock.controlAddress2 = 200; // PW 0200 and 0201
    st->projectBlock.controlAddress1 = 1;   // not in use
    return st;
}

std::vector<std::string> lines(const std::vector<AddressEntry>& entries) {
    std::vector<std::string> out;
    for (const AddressEntry& e : entries) {
        for (const AddressUse& u : e.uses) {
            out.push_back(e.label() + " " + std::to_string(u.screen) + " " + u.kind + " " +
                          std::to_string(u.index) + " " + AddressXref::accessName(u.access));
        }
    }
    return out;
}

} // namespace

TEST(AddressXref, ListsEveryUseInPortAreaAndAddressOrder) {
    auto st = projectWithUses();
    const std::vector<std::string> expected = {
        "COM1 D 0120 2 TrendGraph 1 read",
        "COM1 W 0010 1 NumDisp 1 read",
        "COM1 W 0010 1 BarGraph 1 read",
        "COM1 W 0011 1 NumDisp 1 read",
        "COM1 W 0020 0 ChangeRecord 1 read-write",
        "COM1 W 0021 0 ChangeRecord 1 read-write",
        "COM1 W 012C 0 Key 5 write",
        "COM1 W 012D 0 Key 5 write",
        "COM1 X 0006.0 0 AlarmGroup 1 read",
        "COM1 X 0007.0 0 AlarmGroup 1 read",
        "COM1 X 0010.0 0 AlarmGroup 1 read",
        "COM1 X 0017.0 2 Key 2 write",
        "COM1 M 0100.3 1 Lamp 1 read",
        "COM2 PW 0007 1 MsgDisp 1 read",
        "COM2 PW 0009 0 ChangeRecord 1 read-write",
        "COM2 PW 0010 0 ChangeRecord 1 read-write",
        "COM2 PW 0200 0 PanelSettings 2 read-write",
        "COM2 PW 0201 0 PanelSettings 2 read-write",
    };
    EXPECT_EQ(lines(AddressXref::build(*st)), expected);
}

TEST(AddressXref, JsonHasTheDocumentedShape) {
    auto st = projectWithUses();
    const auto doc = nlohmann::json::parse(AddressXref::json(AddressXref::build(*st)));
    ASSERT_TRUE(doc.is_array());
    const auto word = doc[0];
    EXPECT_EQ(word, nlohmann::json::parse(R"({"port": "COM1", "area": "D", "address": "0120",
        "bit": null, "uses": [{"screen": 2, "kind": "TrendGraph", "index": 1, "access": "read"}]})"));
    const auto lamp = doc[11];
    EXPECT_EQ(lamp["area"], "M");
    EXPECT_EQ(lamp["bit"], 3);
}

TEST(AddressXref, FindsTypedAddressesAsTheKeypadWritesThem) {
    auto st = projectWithUses();
    const auto entries = AddressXref::build(*st);
    auto labelsOf = [&](const char* typed) {
        std::vector<std::string> out;
        for (size_t i : AddressXref::find(entries, *st, typed).entries) {
            out.push_back(entries[i].label());
        }
        return out;
    };
    EXPECT_EQ(labelsOf("COM1 W 0010"), std::vector<std::string>{"COM1 W 0010"});
    EXPECT_EQ(labelsOf("w10"), std::vector<std::string>{"COM1 W 0010"}); // padded, any case
    EXPECT_EQ(labelsOf("M 0100.3"), std::vector<std::string>{"COM1 M 0100.3"});
    EXPECT_EQ(labelsOf("W 0010.4"), std::vector<std::string>{"COM1 W 0010"}); // a bit of a word
    EXPECT_TRUE(labelsOf("M 0100.4").empty());

    AddressXref::Found unused = AddressXref::find(entries, *st, "D 0001");
    EXPECT_TRUE(unused.valid);
    EXPECT_TRUE(unused.entries.empty());
    EXPECT_EQ(unused.label, "COM1 D 0001");

    AddressXref::Found wrong = AddressXref::find(entries, *st, "COM1 X 0008"); // not octal
    EXPECT_FALSE(wrong.valid);
    EXPECT_EQ(wrong.error.id, simmsg::kBadAddress);
    EXPECT_EQ(AddressXref::find(entries, *st, "hello world again").error.id, simmsg::kAddressForm);
}
