// Scripts: each command against a running project, the line numbers of mistakes, and the exit
// statuses of a run.

#include "SimTestSupport.h"

#include "editor/PngFile.h"
#include "sim/SimMessages.h"
#include "sim/SimScript.h"

#include <filesystem>

using namespace simtest;

namespace {

std::string reasonOf(const SimScript::Error& e) {
    return e.reason.id == 0 ? e.reason.literal : std::to_string(e.reason.id);
}

struct Scripted : ::testing::Test {
    SimProject p;
    std::unique_ptr<Simulation> sim;
    std::string out = p.dir.file("snaps");

    void SetUp() override {
        p.store->screens[1].fnKeys = {2, 0, 0, 0};
        KeyRecord& k = p.key(1, 3);
        k.kind = kKindKey;
        k.flags = 0x43; // momentary bit: COM1 M 0004
        k.address = 4;
        addText(*p.store, 2, atX(0), atY(0), "AB");
        sim = p.start();
        std::filesystem::create_directories(out);
    }
    SimScript::Outcome run(const std::string& script) {
        SimScript::Parsed parsed = SimScript::parse(script, sim->plc());
        EXPECT_FALSE(parsed.error) << (parsed.error ? reasonOf(*parsed.error) : "");
        return SimScript::run(parsed.commands, *sim, out);
    }
    SimScript::Error mistake(const std::string& script) {
        SimScript::Parsed parsed = SimScript::parse(script, sim->plc());
        EXPECT_TRUE(parsed.error) << script;
        EXPECT_TRUE(parsed.commands.empty());
        return parsed.error.value_or(SimScript::Error{});
    }
};

TEST_F(Scripted, EveryCommandDoesWhatItSays) {
    const SimScript::Outcome o = run("# a comment line\n"
                                     "set COM1 D 0100 1234   # words\n"
                                     "set com2 d 0007 -1\n"
                                     "set COM1 D 0101.15 1   # a bit of a word\n"
                                     "set COM1 X 0017 1      # octal bit area: device 15\n"
                                     "expect COM1 D 0100 1234\n"
                                     "expect COM2 D 0007 0xFFFF\n"
                                     "expect COM1 D 0101 32768\n"
                                     "expect COM1 X 0017.0 1\n"
                                     "\n"
                                     "hold K3\n"
                                     "expect COM1 M 0004 1\n"
                                     "wait 1000\n"
                                     "expect COM1 M 0004 1\n"
                                     "release K3\n"
                                     "expect COM1 M 0004 0\n"
                                     "key F1\n"
                                     "expect screen 2\n"
                                     "snap second\n");
    for (const SimScript::Error& e : o.failedExpectations) {
        ADD_FAILURE() << "line " << e.line << ": " << reasonOf(e);
    }
    EXPECT_EQ(o.status(), 0);
    EXPECT_TRUE(sim->plc().bit(0, 1, 15, 0));
    EXPECT_EQ(sim->panel().now(), 1000);
    ASSERT_EQ(o.snapshots, std::vector<std::string>{out + "/second.png"});
    auto png = PngFile::read(out + "/second.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width(), 192);
    EXPECT_EQ(png->height(), 64);
    int black = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 192; ++x) {
            const Rgb c = png->pixel(x, y);
            ASSERT_TRUE(c == (Rgb{0, 0, 0}) || c == (Rgb{255, 255, 255}));
            black += c == Rgb{0, 0, 0} ? 1 : 0;
        }
    }
    EXPECT_GT(black, 0) << "screen 2's text";
}

TEST_F(Scripted, FailedExpectationsAreReportedAndTheRunGoesOn) {
    const SimScript::Outcome o = run("snap before\n"
                                     "expect screen 3\n"
                                     "expect COM1 D 0100 -2\n"
                                     "key F1\n"
                                     "expect screen 2\n"
                                     "snap after\n");
    EXPECT_EQ(o.status(), 4);
    ASSERT_EQ(o.failedExpectations.size(), 2u);
    EXPECT_EQ(o.failedExpectations[0].line, 2);
    EXPECT_EQ(reasonOf(o.failedExpectations[0]), "expected screen 3, found screen 1");
    EXPECT_EQ(reasonOf(o.failedExpectations[1]), "expected COM1 D 0100 to be -2, found 0");
    EXPECT_EQ(o.snapshots.size(), 2u) << "snapshots before and after a failure are written";
}

TEST_F(Scripted, MistakesStopTheScriptBeforeItRunsWithTheirLine) {
    EXPECT_EQ(mistake("wait 10\nsett COM1 D 0100 1\n").line, 2);
    EXPECT_EQ(mistake("set COM3 D 0100 1").reason.id, simmsg::kUnknownPort);
    EXPECT_EQ(mistake("set COM1 Q 0100 1").reason.id, simmsg::kUnknownArea);
    EXPECT_EQ(mistake("set COM1 D 8000 1").reason.id, simmsg::kBadAddress) << "above the area's range";
    EXPECT_EQ(mistake("set COM1 X 0018 1").reason.id, simmsg::kBadAddress) << "8 in an octal place";
    EXPECT_EQ(mistake("set COM1 D 0100.16 1").reason.id, simmsg::kBadBitNumber);
    EXPECT_EQ(mistake("set COM1 D 0100 65536").line, 1);
    EXPECT_EQ(mistake("set COM1 M 0001 2").line, 1) << "a bit is 0 or 1";
    EXPECT_EQ(mistake("key F5").line, 1);
    EXPECT_EQ(mistake("key K26").line, 1);
    EXPECT_EQ(mistake("hold F1").line, 1) << "only panel keys are held";
    EXPECT_EQ(mistake("wait -1").line, 1);
    EXPECT_EQ(mistake("wait 1 2").line, 1);
    EXPECT_EQ(mistake("snap ../escape").line, 1);
    EXPECT_EQ(mistake("snap a/b").line, 1);
    EXPECT_EQ(mistake("expect screen two").line, 1);
    // Nothing of a refused script ran: no snapshot, no time passed.
    EXPECT_EQ(sim->panel().now(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

TEST_F(Scripted, ASnapshotThatCannotBeWrittenStopsTheRun) {
    const SimScript::Outcome o = SimScript::run(SimScript::parse("snap x\nkey F1\n", sim->plc()).commands, *sim,
                                                p.dir.file("missing/dir"));
    EXPECT_EQ(o.status(), 1);
    ASSERT_TRUE(o.error);
    EXPECT_EQ(o.error->line, 1);
    EXPECT_EQ(sim->panel().currentScreen(), 1);
}

} // namespace
