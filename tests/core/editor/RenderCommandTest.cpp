#include "EditorTestSupport.h"

#include "editor/BmpImage.h"
#include "editor/PngFile.h"
#include "editor/ScreenRenderer.h"
#include "model/TrnWriter.h"

#include <sstream>
#include <sys/wait.h>

using namespace dispcraft;
using namespace dispcraft::test;
namespace fs = std::filesystem;

namespace {

// dispcraft-cli render run as a user would, on a project saved by the editor core.
struct RenderCommand : EditorFixture {
    fs::path cli = fs::path(DISPCRAFT_TEST_BIN_DIR) / "dispcraft-cli";
    std::string err;

    void SetUp() override {
        if (!fs::exists(cli) || !PngFile::available()) {
            GTEST_SKIP() << "dispcraft-cli with PNG output is not built in this configuration";
        }
        dir.write("qelsys.ini", "[TYPE]\nT1=test\n[T1]\nID_STR=TR - A\n[TR - A]\nLCD_X=141\n"
                                "LCD_Y=100\nCPU_ID=2\nbmp=\\plate.bmp\n");
        RgbImage plate(800, 500, {100, 100, 120});
        plate.fill(Rect::ofSize(141, 100, 384, 128), ScreenRenderer::kLcdGreen);
        auto bmp = BmpImage::write24(plate);
        dir.write("plate.bmp", std::string(bmp.begin(), bmp.end()));
        fs::copy_file(std::string(DISPCRAFT_TEST_PROGRAM_DIR) + "/asc16", dir.path() + "/asc16");
        dir.lamp("lamp01_16x16", 512);
        dir.lamp("lamp20_32x32", 2048);
        store->initialiseNewProject({}, {});
    }
    int run(const std::string& args) {
        std::string errPath = dir.path() + "/stderr.txt";
        std::string cmd = "'" + cli.string() + "' --program-dir '" + dir.path() + "' render " +
                          args + " 2>'" + errPath + "'";
        int status = std::system(cmd.c_str());
        std::ifstream in(errPath);
        std::stringstream ss;
        ss << in.rdbuf();
        err = ss.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

} // namespace

TEST_F(RenderCommand, DrawsAStoredScreenAsTheEditorShowsIt) {
    addText(0, lx() + 16, ly() + 32, "HI");
    text(0).attr = 0x80; // reverse: an ink cell
    session->screen().bindScreenNumber(3, "three", false);
    ASSERT_TRUE(session->screen().storeScreen());
    std::string trn = dir.path() + "/p.trn";
    ASSERT_TRUE(TrnWriter::save(*store, trn).ok);

    std::string png = dir.path() + "/out.png";
    ASSERT_EQ(run("'" + trn + "' --screen 3 -o '" + png + "'"), 0) << err;
    auto img = PngFile::read(png);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width(), 800);
    EXPECT_EQ(img->height(), 500);
    // Stored at dots (78, 66), shown at view pixel (156, 133): one below the placed row.
    EXPECT_EQ(img->pixel(lx() + 15, ly() + 33), ScreenRenderer::kInk);
    EXPECT_EQ(img->pixel(lx() + 15, ly() + 32), ScreenRenderer::kLcdGreen);
    EXPECT_EQ(img->pixel(5, 5), (Rgb{100, 100, 120}));

    EXPECT_EQ(run("'" + trn + "' --screen 4 -o '" + png + "'"), 1);
    EXPECT_FALSE(err.empty());
    EXPECT_EQ(run("'" + trn + "' -o '" + png + "'"), 2); // no screen named
    EXPECT_EQ(run("'" + dir.path() + "/missing.trn' --screen 3 -o '" + png + "'"), 1);
    fs::remove(dir.path() + "/plate.bmp");
    EXPECT_EQ(run("'" + trn + "' --screen 3 -o '" + png + "'"), 1);
}

TEST_F(RenderCommand, DrawsTwoByteTextsWithTheGlyphFontTheBuildWouldTake) {
    addText(0, lx() + 16, ly() + 32, "\xD2\xBB"); // 一
    session->screen().bindScreenNumber(3, "three", false);
    ASSERT_TRUE(session->screen().storeScreen());
    std::string trn = dir.path() + "/p.trn";
    ASSERT_TRUE(TrnWriter::save(*store, trn).ok);
    // A font whose 一 is a full block: its top-left dot is ink, which no usual 一 has.
    dir.write("block.hex", "4E00:" + std::string(64, 'F') + "\n");
    std::string png = dir.path() + "/out.png";
    ASSERT_EQ(run("'" + trn + "' --screen 3 -o '" + png + "' --glyph-font '" + dir.path() + "/block.hex'"), 0)
        << err;
    auto img = PngFile::read(png);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->pixel(lx() + 15, ly() + 33), ScreenRenderer::kInk);

    // As the build does, a named font that cannot be opened stops the drawing.
    fs::remove(png);
    EXPECT_EQ(run("'" + trn + "' --screen 3 -o '" + png + "' --glyph-font '" + dir.path() + "/none.ttf'"), 1);
    EXPECT_NE(err.find("none.ttf"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(png));
}
