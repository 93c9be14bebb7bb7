#include "EditorTestSupport.h"

#include "image/PanelGlyphs.h"
#include "editor/BmpImage.h"
#include "editor/PngFile.h"
#include "editor/ScreenRenderer.h"

#include <cstdlib>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// A plain panel: grey plate, LCD window in LCD green, keys as darker squares.
RgbImage testPanel(const ProjectStore& store) {
    RgbImage img(800, 500, {180, 180, 190});
    img.fill(Rect::ofSize(store.lcdX, store.lcdY, 384, 128), ScreenRenderer::kLcdGreen);
    for (const KeyRect& k : store.panelKeyRects) {
        img.fill({k.left, k.top, k.right, k.bottom}, {90, 90, 100});
    }
    for (const KeyRect& k : store.fnKeyRects) {
        img.fill({k.left, k.top, k.right, k.bottom}, {60, 60, 140});
    }
    return img;
}

struct Rendering : EditorFixture {
    Rendering() { store = makeStore(200, 60); session = std::make_unique<EditorSession>(*store, ProgramDirectory(dir.path()), sink); }
    RgbImage panel = testPanel(*makeStore(200, 60));
    PanelGlyphs glyphs = PanelGlyphs(Asc16Glyphs::load(std::string(DISPCRAFT_TEST_PROGRAM_DIR) + "/asc16"),
                                     GlyphSource::openFile(kSystemUnifontHex));
    ScreenRenderer renderer{&panel, &glyphs};

    RgbImage draw() {
        RgbImage img;
        renderer.render(session->readyToPaint(), img);
        return img;
    }
    // Compares with the golden copy; DISPCRAFT_UPDATE_GOLDEN=1 writes it instead.
    void expectGolden(const RgbImage& img, const std::string& name) {
        std::string path = std::string(DISPCRAFT_TEST_DATA_DIR) + "/editor/" + name;
        if (std::getenv("DISPCRAFT_UPDATE_GOLDEN")) {
            ASSERT_TRUE(PngFile::write(path, img));
            return;
        }
        std::string error;
        auto golden = PngFile::read(path, &error);
        ASSERT_TRUE(golden) << path << ": " << error;
        ASSERT_EQ(golden->width(), img.width());
        ASSERT_EQ(golden->height(), img.height());
        int differing = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (!(golden->pixel(x, y) == img.pixel(x, y)) && differing++ < 5) {
                    ADD_FAILURE() << name << " differs at (" << x << ", " << y << ")";
                }
            }
        }
        EXPECT_EQ(differing, 0);
    }
    MsgDispObject& msg(int i) { return session->screen().objects().msgDisps[static_cast<size_t>(i)]; }
    NumDispObject& num(int i) { return session->screen().objects().numDisps[static_cast<size_t>(i)]; }
};

} // namespace

TEST_F(Rendering, TextsUseThePanelGlyphsInEveryFontSize) {
    ASSERT_TRUE(glyphs.hasAscii());
    addText(0, lx(), ly(), "Pump 1");
    addText(1, lx() + 112, ly(), "Run");
    text(1).attr = 0x80; // reverse
    addText(2, lx(), ly() + 32, "Wide");
    text(2).attr = 1;
    addText(3, lx() + 160, ly() + 32, "Tall", true);
    text(3).attr = 2;
    addText(4, lx() + 240, ly() + 32, "Big");
    text(4).attr = 3 | 0x80;
    addText(5, lx() + 352, ly(), ""); // shown as one blank
    msg(0).kindWord = kKindMsgDisp;
    msg(0).x = lx() + 240;
    msg(0).y = ly();
    msg(0).texts[0] = "\xD6\xD0\xCE\xC4"; // two GB2312 characters
    num(0).kindWord = kKindNumDisp;
    num(0).x = lx();
    num(0).y = ly() + 96;
    num(0).preview = "-123.45";
    num(1).kindWord = kKindNumDisp + kSelectedBit;
    num(1).x = lx() + 160;
    num(1).y = ly() + 96;
    num(1).options = 1;
    num(1).attr = 0x40;
    num(1).address = 5;
    renderer.setShortFormPlaceholder("##");
    RgbImage img = draw();
    EXPECT_EQ(text(5).text, " ");

    // Normal text: green cell, ink dots; reverse swaps them.
    EXPECT_EQ(img.pixel(lx() + 112 + 15, ly() + 1), ScreenRenderer::kInk);
    EXPECT_EQ(img.pixel(lx() + 1, ly() + 1), ScreenRenderer::kLcdGreen);
    EXPECT_EQ(img.pixel(lx() + 352 + 4, ly() + 4), ScreenRenderer::kLcdGreen);
    // The selected short-form NumDisp has its red mark.
    EXPECT_EQ(img.pixel(lx() + 161, ly() + 97), ScreenRenderer::kRed);
    expectGolden(img, "texts.png");
}

TEST_F(Rendering, GraphsLampsPicturesAndMarkers) {
    auto& bars = session->screen().objects().barGraphs;
    bars[0].kindWord = kKindBarGraph;
    bars[0].attr = 1; // horizontal, filled from the right third
    bars[0].x = lx() + 16;
    bars[0].y = ly() + 16;
    bars[0].length = 64;
    bars[0].thickness = 16;
    bars[1].kindWord = kKindBarGraph + kSelectedBit;
    bars[1].attr = 2; // vertical, filled from the top
    bars[1].x = lx() + 176;
    bars[1].y = ly() + 8;
    bars[1].length = 48;
    bars[1].thickness = 16;
    auto& trend = session->screen().objects().trendGraphs[0];
    trend.kindWord = kKindTrendGraph;
    trend.x = lx() + 224;
    trend.y = ly() + 16;
    trend.width = 63;
    trend.height = 40;
    dir.lamp("lamp01_16x16", 512);
    dir.lamp("lamp20_32x32", 2048);
    auto& lamps = session->screen().objects().lamps;
    for (int i = 0; i < 2; ++i) {
        lamps[static_cast<size_t>(i)].kindWord = kKindLamp;
        lamps[static_cast<size_t>(i)].name = i ? "lamp20_32x32" : "lamp01_16x16";
        lamps[static_cast<size_t>(i)].attr = i ? 0x40 : 0;
        ASSERT_TRUE(session->screen().loadLampDots(lamps[static_cast<size_t>(i)]));
    }
    lamps[0].x = lx() + 16;
    lamps[0].y = ly() + 64;
    lamps[1].x = lx() + 64;
    lamps[1].y = ly() + 60;
    lamps[1].kindWord |= kSelectedBit;
    std::string dots(16 * 8, '\1');
    for (int k = 0; k < 8; ++k) {
        dots[static_cast<size_t>(k * 16 + k)] = 0; // a diagonal, rows bottom-up
        dots[static_cast<size_t>(k * 16 + 15 - k)] = 0;
    }
    store->pictures[2] = {2, 16, 8, 0, dots};
    auto& pics = session->screen().objects().pictures;
    pics[0].kindWord = kKindPicture;
    pics[0].pictureNo = 2;
    pics[0].x = lx() + 320;
    pics[0].y = ly() + 97;
    pics[1].kindWord = kKindPicture;
    pics[1].pictureNo = 9; // undefined: removed while painting
    session->screen().fnKeyFlags()[1] = 3;
    store->globalKeys[0].flags = 0x01; // project-wide: red
    store->globalKeys[2].kind = 1;     // per screen: blue once the screen defines it
    session->screen().bindScreenNumber(4, "", false);
    store->screens[4].keys[2].screen = 7;
    RgbImage img = draw();
    EXPECT_EQ(session->screen().objects().count(kKindPicture), 1);
    const KeyRect& k0 = store->panelKeyRects[0];
    const KeyRect& k2 = store->panelKeyRects[2];
    const KeyRect& f1 = store->fnKeyRects[1];
    EXPECT_EQ(img.pixel(k0.left + 2, k0.top + 2), ScreenRenderer::kRed);
    EXPECT_EQ(img.pixel(k2.left + 2, k2.top + 2), ScreenRenderer::kBlue);
    EXPECT_EQ(img.pixel(f1.left + 5, f1.top + 5), ScreenRenderer::kBlue);
    EXPECT_NE(img.pixel(store->panelKeyRects[1].left + 2, store->panelKeyRects[1].top + 2),
              ScreenRenderer::kRed);
    // Grid dots at the inner corners of the 8-dot cells.
    EXPECT_EQ(img.pixel(lx() + 16 + 16 * 22, ly() + 16 + 16 * 6), ScreenRenderer::kBlack);
    EXPECT_EQ(img.pixel(lx() + 16 + 16 * 22 + 1, ly() + 16 + 16 * 6), ScreenRenderer::kLcdGreen);
    expectGolden(img, "graphs.png");

    // The rubber band while it is dragged.
    session->pointer().press({lx() + 140, ly() + 100});
    session->pointer().move({lx() + 170, ly() + 120}, true);
    img = draw();
    EXPECT_EQ(img.pixel(lx() + 140, ly() + 100), ScreenRenderer::kRed);
}

TEST_F(Rendering, AMissingPanelPictureDrawsBlackIsReportedOnceAndTheWindowAskedToClose) {
    ScreenRenderer blind(nullptr, nullptr);
    EXPECT_FALSE(blind.hasPanelPicture());
    RgbImage img;
    for (int paint = 0; paint < 2; ++paint) {
        session->screen().panelPictureMissing();
        blind.render(session->readyToPaint(), img);
    }
    EXPECT_EQ(img.width(), 800);
    EXPECT_EQ(img.height(), 500);
    EXPECT_EQ(img.pixel(0, 0), ScreenRenderer::kBlack);
    ASSERT_EQ(sink.shown().size(), 1u);
    EXPECT_EQ(sink.shown()[0], Message::string(63593));
    EXPECT_TRUE(session->screen().closeRequested());
}

TEST(BmpImages, ReadsTheUncompressedFormsAndRefusesDamagedOnes) {
    RgbImage img(5, 3, {10, 20, 30});
    img.setPixel(4, 0, {255, 0, 0});
    img.setPixel(0, 2, {0, 0, 255});
    auto bmp = BmpImage::write24(img);
    auto back = BmpImage::read(bmp.data(), bmp.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, img);

    // A 1-bit top-down 10 x 2 picture with a two-colour palette.
    std::vector<uint8_t> mono(62 + 8, 0);
    mono[0] = 'B';
    mono[1] = 'M';
    mono[10] = 62;
    mono[14] = 40;
    mono[18] = 10;
    int32_t h = -2;
    std::memcpy(&mono[22], &h, 4);
    mono[26] = 1;
    mono[28] = 1;
    mono[58] = mono[59] = mono[60] = 255; // index 1 white
    mono[62] = 0x80;                      // row 0: leftmost dot white
    mono[66] = 0x40;                      // row 1: second dot white
    auto m = BmpImage::read(mono.data(), mono.size());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->pixel(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(m->pixel(1, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(m->pixel(1, 1), (Rgb{255, 255, 255}));

    std::string error;
    EXPECT_FALSE(BmpImage::read(mono.data(), mono.size() - 1, &error)); // pixel data cut short
    mono[30] = 1; // run-length compressed
    EXPECT_FALSE(BmpImage::read(mono.data(), mono.size(), &error));
    EXPECT_FALSE(BmpImage::read(bmp.data(), 20, &error));
}

TEST(BmpImages, ReadsTheLongerHeadersOfTodaysTools) {
    const std::string dir = std::string(DISPCRAFT_TEST_DATA_DIR) + "/bmp/";
    std::string error;
    // 24 bits a dot behind a 124-byte header.
    auto colour = BmpImage::load(dir + "panel-124.bmp", &error);
    ASSERT_TRUE(colour) << error;
    EXPECT_EQ(colour->pixel(0, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(colour->pixel(1, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(colour->pixel(3, 1), (Rgb{0, 255, 0}));
    // 32 bits a dot with the bit masks inside the header.
    auto fields = BmpImage::load(dir + "colour-124.bmp", &error);
    ASSERT_TRUE(fields) << error;
    EXPECT_EQ(fields->pixel(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(fields->pixel(5, 5), (Rgb{0, 0, 0}));
    // One bit a dot: the colour table decides, whichever colour comes first.
    auto mono = BmpImage::load(dir + "lamp16-108.bmp", &error);
    ASSERT_TRUE(mono) << error;
    EXPECT_EQ(mono->pixel(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(mono->pixel(16, 0), (Rgb{255, 255, 255}));
}
