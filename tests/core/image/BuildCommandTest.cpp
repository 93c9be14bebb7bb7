// dispcraft-cli build, run as a user would run it. Skipped where the program is not built (the
// sanitizer build makes only the core tests).

#include "BuildTestSupport.h"

#include "image/BuildMessages.h"
#include "image/GlyphSource.h"
#include "config/ProjectSetup.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <cstdio>
#include <sys/wait.h>

using namespace buildtest;

namespace {

std::string cli() { return std::string(DISPCRAFT_TEST_BIN_DIR) + "/dispcraft-cli"; }

struct CliRun {
    int status = -1;
    std::string err;
};

CliRun run(const std::string& args) {
    const std::string errFile = ::testing::TempDir() + "/build_cli_" + std::to_string(::getpid()) + ".err";
    const std::string command = "'" + cli() + "' " + args + " >/dev/null 2>'" + errFile + "'";
    CliRun r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = FileIo::readText(errFile).value_or("");
    std::remove(errFile.c_str());
    return r;
}

struct CliProject {
    ProgramDir pd{"cli"};
    std::string in = pd.file("in.trn");
    std::string out = pd.file("out.qel");

    CliProject() {
        pd.write("qelsys.ini", "[TR - A]\r\nLCD_X=100\r\nLCD_Y=60\r\nCPU_ID=2\r\nALarmnum=1\r\n");
        pd.protocol("Protocol120/comport1/P1.ini", "002");
        pd.protocol("Protocol120/comport2/P2.ini", "001");
        pd.lamp("lamp03_16x16", 16, {{3, 3}});
    }
    std::string args(const std::string& extra = {}) const {
        return "--program-dir '" + pd.path.string() + "' build '" + in + "' -o '" + out + "'" + extra;
    }
    void save(ProjectStore& store) const {
        store.header.modelCode = 'A';
        ASSERT_TRUE(TrnWriter::save(store, in).ok);
    }
    // What the command must produce: the file read back as the program reads it, then built.
    std::vector<uint8_t> expected() const {
        auto store = std::make_unique<ProjectStore>();
        EXPECT_TRUE(TrnReader::load(*store, in).ok);
        ProjectSetup::afterLoad(*store, pd.dir());
        EXPECT_TRUE(TrnWriter::prepare(*store).ok);
        return ImageBuilder::build(*store, pd.dir()).image;
    }
};

std::unique_ptr<ProjectStore> smallProject() {
    auto store = newStore(2);
    store->com1PortNumber = 3;
    addScreen(*store, 1);
    addScreen(*store, 2);
    addText(*store, 1, 58, 30, "AB" + kYi);
    addLamp(*store, 2, 60, 40, "lamp03_16x16");
    setAlarm(*store, 0, 0, "BA");
    store->alarms[0].count = 1;
    return store;
}

} // namespace

TEST(BuildCommand, WritesTheImageOfTheProjectAndLeavesTheProjectFileAlone) {
    if (!FileIo::exists(cli())) {
        GTEST_SKIP() << "dispcraft-cli not built";
    }
    CliProject p;
    auto store = smallProject();
    p.save(*store);
    const auto before = FileIo::readBytes(p.in);
    CliRun r = run(p.args());
    EXPECT_EQ(r.status, 0) << r.err;
    auto image = FileIo::readBytes(p.out);
    ASSERT_TRUE(image);
    const auto expected = p.expected();
    EXPECT_EQ(*image, expected);
    EXPECT_EQ(FileIo::readBytes(p.in), before);
    // The model file and the protocol files were read: LCD origin, link kinds, port number.
    ASSERT_GT(image->size(), 40u);
    EXPECT_EQ(u16(*image, 28) >> 8, 2u);
    EXPECT_EQ(u16(*image, 30) >> 8, 1u);
    EXPECT_EQ(u16(*image, 32), 3u);
    EXPECT_EQ((*image)[u16(*image, 42) + 11], 8); // x' of the text: 58 - 100 / 2
}

TEST(BuildCommand, ExitStatusTellsMissingStartScreenFromAStoppedBuild) {
    if (!FileIo::exists(cli())) {
        GTEST_SKIP() << "dispcraft-cli not built";
    }
    CliProject p;
    auto store = smallProject();
    store->projectBlock.startScreen = 7;
    p.save(*store);
    CliRun r = run(p.args());
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("[61571]"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("7"), std::string::npos) << r.err;
    EXPECT_TRUE(FileIo::exists(p.out));

    // A stopped build never touches an existing image.
    p.pd.write("out.qel", "good old image");
    store->projectBlock.startScreen = 1;
    store->projectBlock.baud[0] = 300;
    p.save(*store);
    r = run(p.args());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("[61562]"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("300"), std::string::npos) << r.err;
    EXPECT_EQ(FileIo::readText(p.out), "good old image");

    // Warnings go to stderr and do not change the outcome.
    store->projectBlock.baud[0] = 9600;
    addText(*store, 1, 50, 30, kZhong);
    p.save(*store);
    r = run(p.args());
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("warning:"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("[65304]"), std::string::npos) << r.err;
}

TEST(BuildCommand, GlyphFontOptionAndArguments) {
    if (!FileIo::exists(cli())) {
        GTEST_SKIP() << "dispcraft-cli not built";
    }
    CliProject p;
    auto store = smallProject();
    p.save(*store);
    // The named font replaces the program directory's: here one whose 一 is a full block.
    p.pd.write("block.hex", "4E00:" + std::string(64, 'F') + "\n");
    CliRun r = run(p.args(" --glyph-font '" + p.pd.file("block.hex") + "'"));
    ASSERT_EQ(r.status, 0) << r.err;
    auto image = FileIo::readBytes(p.out);
    ASSERT_TRUE(image);
    EXPECT_EQ(slice(*image, u16(*image, 8) + 16 * 3, 32), std::vector<uint8_t>(32, 0xFF));

    r = run(p.args(" --glyph-font '" + p.pd.file("none.ttf") + "'"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("[65303]"), std::string::npos) << r.err;

    EXPECT_EQ(run("build").status, 2);
    EXPECT_EQ(run("build '" + p.in + "'").status, 2);
    EXPECT_EQ(run("build '" + p.in + "' -o x --bogus").status, 2);
    r = run("--program-dir '" + p.pd.path.string() + "' build '" + p.pd.file("missing.trn") + "' -o '" + p.out + "'");
    EXPECT_EQ(r.status, 1);
}

TEST(BuildWithShippedFiles, EveryPanelModel) {
    // The program directory as it ships: panel models, protocol files, link drivers, lamp
    // pictures, "asc16"; two-byte glyphs from the system's Unifont.
    if (!FileIo::exists(kSystemUnifontHex)) {
        GTEST_SKIP() << "no system Unifont";
    }
    ProgramDirectory dir(DISPCRAFT_TEST_PROGRAM_DIR);
    for (int model = 1; model <= 4; ++model) {
        NewProjectChoice choice;
        ASSERT_FALSE(ProjectSetup::defaultChoice(dir, model, {}, {}, choice)) << model;
        auto store = std::make_unique<ProjectStore>();
        ProjectSetup::newProject(*store, dir, choice);
        addScreen(*store, 1);
        addText(*store, 1, static_cast<uint16_t>(store->lcdX / 2), static_cast<uint16_t>(store->lcdY / 2),
                "\xCE\xC2\xB6\xC8 25"); // 温度 25
        addLamp(*store, 1, static_cast<uint16_t>(store->lcdX / 2 + 100), static_cast<uint16_t>(store->lcdY / 2),
                "lamp01_16x16");
        ASSERT_TRUE(TrnWriter::prepare(*store).ok);
        BuildResult r = ImageBuilder::build(*store, dir);
        ASSERT_EQ(r.outcome, BuildResult::Outcome::Complete)
            << "model " << model << ": " << r.failure.id << " " << r.detail;
        EXPECT_TRUE(r.warnings.empty()) << model;
        const size_t header = store->cpuId == 1 ? ImageBuilder::kDriverBytes : 0;
        EXPECT_EQ(u16(r.image, header), 51u);
        EXPECT_EQ(r.image[header + 14], 4); // after ' ', '2' and '5' come the pairs
    }
}
