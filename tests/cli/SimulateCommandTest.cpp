// dispcraft-cli simulate on the two-port example: a script that holds, one whose expectation
// fails, one with a mistake, and a build that stops.

#include "cli/CliRun.h"

#include "editor/PngFile.h"

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

const std::string kExample = std::string(DISPCRAFT_TEST_EXAMPLES_DIR) + "/two-port-demo.trn";

std::string script(const TempDir& dir, const std::string& text) {
    const std::string path = dir.file("test.sim");
    std::ofstream(path) << text;
    return path;
}

TEST(SimulateCommand, RunsTheScriptAndWritesItsSnapshots) {
    TempDir dir;
    const std::string s = script(dir, "# the flow display and the screen keys\n"
                                      "set COM1 DM 0078 1234\n"
                                      "snap flow\n"
                                      "key F1\n"
                                      "expect screen 2\n"
                                      "hold K3\n"
                                      "release K3\n"
                                      "wait 2500\n"
                                      "expect COM1 DM 0078 1234\n"
                                      "snap level\n");
    const CliRun r = runCli({"simulate", kExample, "--script", s, "-o", dir.file("snaps")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(dir.file("snaps/flow.png")), std::string::npos) << r.out;
    auto flow = PngFile::read(dir.file("snaps/flow.png"));
    auto level = PngFile::read(dir.file("snaps/level.png"));
    ASSERT_TRUE(flow && level);
    EXPECT_EQ(flow->width(), 192);
    EXPECT_EQ(flow->height(), 64);
    EXPECT_FALSE(*flow == *level);
}

TEST(SimulateCommand, AFailedExpectationIsStatus4AndTheScriptGoesOn) {
    TempDir dir;
    const std::string s = script(dir, "expect screen 3\nkey F2\nexpect screen 3\nexpect COM1 DM 0078 7\nsnap after\n");
    const CliRun r = runCli({"simulate", kExample, "--script", s, "-o", dir.file("out")});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_NE(r.err.find("test.sim:1: expected screen 3, found screen 1"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("test.sim:4: expected COM1 DM 0078 to be 7, found 0"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("out/after.png")));
}

TEST(SimulateCommand, ScriptMistakesAndStoppedBuildsAreStatus1) {
    TempDir dir;
    CliRun r = runCli({"simulate", kExample, "--script", script(dir, "snap a\nset COM1 DM 0078\n"), "-o",
                       dir.file("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("test.sim:2:"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/a.png"))) << "nothing runs before the whole script is read";

    r = runCli({"simulate", kExample, "--script", script(dir, "snap a\n"), "-o", dir.file("out"), "--glyph-font",
                dir.file("none.ttf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());

    r = runCli({"simulate", kExample, "-o", dir.file("out")});
    EXPECT_EQ(r.status, 2) << "the script is required";
}

} // namespace
