// The simulator's first frame of a screen of texts, pictures and unlit lamps is what the screen
// editor draws of it, dot for dot: the editor draws a dot as 2 x 2 pixels from the LCD origin.

#include "base/ProgramDirectory.h"
#include "base/RecordingSink.h"
#include "config/ProjectSetup.h"
#include "editor/EditorSession.h"
#include "editor/ScreenRenderer.h"
#include "image/PanelGlyphs.h"
#include "model/ProjectStore.h"
#include "sim/Simulation.h"
#include "text/Gb2312.h"

#include <gtest/gtest.h>

#include <memory>

using namespace dispcraft;

namespace {

struct Screen {
    ProjectStore& st;
    ScreenEntry& e = st.entries[1];
    ScreenBlock& b = st.screens[1];

    uint16_t x(int dot) const { return static_cast<uint16_t>((st.lcdX + 2 * dot) / 2); }
    uint16_t y(int dot) const { return static_cast<uint16_t>((st.lcdY + 2 * dot) / 2); }
    void text(int dx, int dy, const char* utf8, uint8_t attr) {
        TextStringRecord& t = b.textStrings[e.textCount++];
        t = TextStringRecord{};
        t.kind = kKindTextString;
        t.x = x(dx);
        t.y = y(dy);
        t.attr = attr;
        const std::string gb = Gb2312::fromUtf8(utf8).text;
        t.textOffset = static_cast<uint32_t>(b.textPool.size());
        t.textLength = static_cast<uint8_t>(gb.size());
        b.textPool += gb;
    }
    void picture(int dx, int dy, int number, int w, int h) {
        PictureTableEntry& p = st.pictures[number];
        p = {static_cast<uint8_t>(number), static_cast<uint8_t>(w), static_cast<uint8_t>(h), 0,
             std::string(static_cast<size_t>(w * h), '\1')};
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) {
                if (r == 0 || c == 0 || c * h == r * w || (r == h - 1 && c < w / 2)) {
                    p.dots[static_cast<size_t>(r * w + c)] = 0;
                }
            }
        }
        PictureObjectRecord& o = b.pictures[e.pictureCount++];
        o = PictureObjectRecord{};
        o.kind = kKindPicture;
        o.x = x(dx);
        o.y = y(dy);
        o.width = static_cast<uint8_t>(w);
        o.height = static_cast<uint8_t>(h);
        o.pictureNo = static_cast<uint8_t>(number);
    }
    void lamp(int dx, int dy, const char* name, bool big) {
        LampRecord& l = b.lamps[e.lampCount++];
        l = LampRecord{};
        l.kind = kKindLamp;
        l.x = x(dx);
        l.y = y(dy);
        l.attr = big ? 0x40 : 0;
        l.setName(name);
    }
};

TEST(FirstFrame, EqualsTheEditorsDrawingDotForDot) {
    ProgramDirectory dir(DISPCRAFT_TEST_PROGRAM_DIR);
    NewProjectChoice choice;
    ASSERT_FALSE(ProjectSetup::defaultChoice(dir, 2, "", "", choice));
    auto store = std::make_unique<ProjectStore>();
    ProjectSetup::newProject(*store, dir, choice);
    store->entries[1].number = 1;
    Screen s{*store};
    s.text(0, 0, "Hello 泵", 0x00);
    s.text(72, 0, "Wd", 0x81);  // double width, reverse
    s.text(0, 16, "Tall", 0x02); // double height
    s.text(40, 16, "中", 0x83);  // both, reverse
    s.text(0, 48, "Rev 1.0", 0x80);
    s.picture(80, 24, 1, 24, 16);
    s.picture(112, 16, 2, 16, 12); // a part band: the image drops its top 4 rows
    s.lamp(136, 16, "lamp03_16x16", false);
    s.lamp(156, 24, "lamp07_32x32", true);

    PanelGlyphs glyphs = PanelGlyphs::open(dir);
    RecordingSink sink;
    EditorSession session(*store, dir, sink);
    ASSERT_EQ(session.screen().loadScreen(1), ScreenContents::OpenResult::Opened);
    const RgbImage panel(ScreenRenderer::kWidth, ScreenRenderer::kHeight, ScreenRenderer::kLcdGreen);
    ScreenRenderer renderer(&panel, &glyphs);
    RgbImage drawn;
    renderer.render(session, drawn);

    BuildOptions options;
    options.glyphs = &glyphs;
    Simulation::Started started = Simulation::start(*store, dir, options);
    ASSERT_TRUE(started.simulation);
    const LcdDots& lcd = started.simulation->panel().render();

    int lit = 0;
    for (int y = 0; y < LcdDots::kHeight; ++y) {
        for (int x = 0; x < LcdDots::kWidth; ++x) {
            // The bottom-right pixel of the dot: the editor draws a stored screen's objects one
            // pixel down (at twice the stored y plus one), and its grid points sit on top-left
            // pixels.
            const Rgb px = drawn.pixel(store->lcdX + 2 * x + 1, store->lcdY + 2 * y + 1);
            const bool dark = px == ScreenRenderer::kInk || px == ScreenRenderer::kBlack;
            if (x >= 112 && x < 128 && y >= 17 && y < 21) {
                EXPECT_FALSE(lcd.lit(x, y)) << "dot " << x << ", " << y << " of a dropped row";
                continue;
            }
            ASSERT_EQ(lcd.lit(x, y), dark) << "dot " << x << ", " << y;
            lit += dark ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 1500); // the screen is far from empty
}

} // namespace
