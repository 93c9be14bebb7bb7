// Drawing a screen window with every list full (434 objects) and hit-testing over it.
#include "image/PanelGlyphs.h"
#include "base/ProgramDirectory.h"
#include "editor/EditorSession.h"
#include "editor/ScreenRenderer.h"
#include "model/ProjectStore.h"
#include "base/RecordingSink.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace dispcraft;

namespace {

struct FullScreen {
    std::unique_ptr<ProjectStore> store = std::make_unique<ProjectStore>();
    RecordingSink sink;
    ProgramDirectory dir{DISPCRAFT_BENCH_PROGRAM_DIR};
    std::unique_ptr<EditorSession> session;
    RgbImage panel{800, 500, {180, 180, 190}};
    PanelGlyphs glyphs = PanelGlyphs::open(dir);

    FullScreen() {
        store->lcdX = 200;
        store->lcdY = 60;
        for (int a = 0; a < 25; ++a) {
            store->panelKeyRects[static_cast<size_t>(a)] = {40 + 28 * a, 400, 64 + 28 * a, 430};
            store->globalKeys[static_cast<size_t>(a)].flags = 1;
        }
        std::string dots(32 * 16, '\0');
        store->pictures[1] = {1, 32, 16, 0, dots};
        session = std::make_unique<EditorSession>(*store, dir, sink);
        ScreenObjects& o = session->screen().objects();
        const int lx = store->lcdX, ly = store->lcdY;
        // Every object somewhere on the LCD, texts of realistic lengths (a few characters,
        // some two-byte), each in its own spot of a 24 x 4 grid.
        for (int i = 0; i < 96; ++i) {
            int cx = lx + (i % 24) * 16, cy = ly + (i / 24) * 32;
            auto& t = o.textStrings[static_cast<size_t>(i)];
            t.kindWord = kKindTextString;
            t.x = cx;
            t.y = cy;
            t.text = i % 3 ? "Temp" : "\xCE\xC2\xB6\xC8"; // two characters of GB2312
            t.attr = static_cast<uint8_t>((i % 4) | (i % 5 == 0 ? 0x80 : 0));
            auto& m = o.msgDisps[static_cast<size_t>(i)];
            m.kindWord = kKindMsgDisp;
            m.x = cx;
            m.y = cy;
            m.texts[0] = "ON";
            auto& n = o.numDisps[static_cast<size_t>(i)];
            n.kindWord = kKindNumDisp;
            n.x = cx;
            n.y = cy;
            n.preview = "-123.45";
        }
        for (int i = 0; i < 48; ++i) {
            int cx = lx + (i % 12) * 32, cy = ly + (i / 12) * 32;
            auto& b = o.barGraphs[static_cast<size_t>(i)];
            b.kindWord = kKindBarGraph;
            b.x = cx;
            b.y = cy;
            b.attr = static_cast<uint8_t>(i % 2);
            b.length = 40;
            b.thickness = 16;
            auto& l = o.lamps[static_cast<size_t>(i)];
            l.kindWord = kKindLamp;
            l.x = cx;
            l.y = cy;
            l.dotCount = i % 2 ? 512 : 2048;
            l.dots.assign(static_cast<size_t>(l.dotCount), i % 3 ? '\0' : '\1');
            auto& p = o.pictures[static_cast<size_t>(i)];
            p.kindWord = kKindPicture;
            p.x = cx;
            p.y = cy;
            p.pictureNo = 1;
        }
        for (int i = 0; i < 2; ++i) {
            auto& t = o.trendGraphs[static_cast<size_t>(i)];
            t.kindWord = kKindTrendGraph;
            t.x = lx + 192 * i;
            t.y = ly;
            t.width = 93;
            t.height = 60;
        }
    }
};

void BM_FullRedraw(benchmark::State& state) {
    FullScreen f;
    ScreenRenderer renderer(&f.panel, &f.glyphs);
    RgbImage img;
    renderer.render(f.session->readyToPaint(), img); // glyphs of the texts are drawn once by the font source
    for (auto _ : state) {
        renderer.render(f.session->readyToPaint(), img);
        benchmark::DoNotOptimize(img.data());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

// A press and release on every LCD grid cell: hit test through all 434 objects, the last kinds
// included (the press lands on the first kind that covers the point).
void BM_HitTestSweep(benchmark::State& state) {
    FullScreen f;
    // Only pictures in the lower half: points there scan every other list first.
    for (auto& t : f.session->screen().objects().textStrings) {
        t.y = std::min(t.y, f.store->lcdY + 32);
    }
    for (auto _ : state) {
        for (int y = 0; y < 128; y += 16) {
            for (int x = 0; x < 384; x += 16) {
                Point p{f.store->lcdX + x + 3, f.store->lcdY + y + 3};
                f.session->pointer().press(p);
                f.session->pointer().release(p);
            }
        }
        benchmark::DoNotOptimize(f.session->pointer().currentKind());
        f.session->screen().takeInvalidations();
    }
    state.SetItemsProcessed(state.iterations() * 24 * 8);
}
BENCHMARK(BM_HitTestSweep)->Unit(benchmark::kMicrosecond);

// Pointer moves without a button over a selected bar graph: the handle test and status text.
void BM_PointerMove(benchmark::State& state) {
    FullScreen f;
    Point on{f.store->lcdX + 5, f.store->lcdY + 5};
    f.session->pointer().press(on);
    f.session->pointer().release(on);
    int i = 0;
    for (auto _ : state) {
        f.session->pointer().move({f.store->lcdX + (i++ % 384), f.store->lcdY + 40}, false);
        benchmark::DoNotOptimize(f.session->pointer().statusText().data());
    }
}
BENCHMARK(BM_PointerMove);

} // namespace
