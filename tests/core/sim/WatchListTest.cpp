// The memory table kept beside the project, and the generators that drive its words.

#include "SimTestSupport.h"

#include "sim/SimMessages.h"
#include "sim/WatchList.h"

using namespace simtest;

namespace {

TEST(WatchList, KeptBesideTheProjectWithItsGeneratorsAndOddRows) {
    EXPECT_EQ(WatchList::pathFor("/p/line.3/demo.trn"), "/p/line.3/demo.sim.json");
    EXPECT_EQ(WatchList::pathFor("/p/line.3/demo"), "/p/line.3/demo.sim.json");
    EXPECT_EQ(WatchList::pathFor(""), "");

    SimProject p;
    auto sim = p.start();
    WatchList list;
    ASSERT_FALSE(list.add("COM1 D 0100", sim->plc()));
    ASSERT_FALSE(list.add("com2 m 0005.3", sim->plc()));
    EXPECT_EQ(list.add("COM1 D 9999", sim->plc())->id, simmsg::kBadAddress);
    ASSERT_EQ(list.entries().size(), 2u);
    list.entries()[0].display = WatchEntry::Display::Hex;
    list.entries()[0].generator = {ValueGenerator::Kind::Sine, -100, 100, 4000};
    const std::string path = p.dir.file("demo.sim.json");
    ASSERT_FALSE(list.save(path));

    // A row the project no longer has is kept, with its problem, and written back as it was.
    p.dir.write("demo.sim.json", list.toJson().replace(list.toJson().find("0005.3"), 6, "9999.3"));
    WatchList back;
    ASSERT_FALSE(back.load(path, sim->plc()));
    ASSERT_EQ(back.entries().size(), 2u);
    EXPECT_EQ(back.entries()[0].display, WatchEntry::Display::Hex);
    EXPECT_EQ(back.entries()[0].generator.kind, ValueGenerator::Kind::Sine);
    EXPECT_EQ(back.entries()[0].generator.low, -100);
    EXPECT_FALSE(back.entries()[1].location);
    EXPECT_EQ(back.entries()[1].problem.id, simmsg::kBadAddress);
    EXPECT_NE(back.toJson().find("com2 m 9999.3"), std::string::npos);

    // A file that is not a list leaves the list as it was.
    p.dir.write("demo.sim.json", "{\"rows\": 3");
    EXPECT_EQ(back.load(path, sim->plc())->id, simmsg::kWatchListUnreadable);
    EXPECT_EQ(back.entries().size(), 2u);
}

TEST(WatchList, GeneratorsDriveTheirWordsAsTimePasses) {
    const ValueGenerator ramp{ValueGenerator::Kind::Ramp, 0, 1000, 10000};
    EXPECT_EQ(ramp.valueAt(0), 0);
    EXPECT_EQ(ramp.valueAt(2500), 250);
    EXPECT_EQ(ramp.valueAt(12500), 250);
    const ValueGenerator sine{ValueGenerator::Kind::Sine, -100, 100, 4000};
    EXPECT_EQ(sine.valueAt(0), 0);
    EXPECT_EQ(sine.valueAt(1000), 100);
    EXPECT_EQ(sine.valueAt(3000), -100);

    SimProject p;
    auto sim = p.start();
    ASSERT_FALSE(sim->watch().add("COM1 D 0010", sim->plc()));
    sim->watch().entries()[0].generator = ramp;
    sim->advance(2550);
    EXPECT_EQ(sim->plc().word(0, 0, 10), 250) << "set at the last scan, 2500 ms";

    WatchEntry e = sim->watch().entries()[0];
    e.display = WatchEntry::Display::Signed;
    EXPECT_EQ(e.format(0xFFFE), "-2");
    EXPECT_EQ(e.parse("-2"), 0xFFFE);
    e.display = WatchEntry::Display::Bcd;
    EXPECT_EQ(e.parse("1234"), 0x1234);
    EXPECT_FALSE(e.parse("12A4"));
    e.display = WatchEntry::Display::Hex;
    EXPECT_EQ(e.parse("0x00ff"), 0xFF);
    EXPECT_FALSE(e.parse("10000"));
}

} // namespace
