// The history on a full screen (434 objects): taking back and making again a move of every
// object, recording such a move, and the memory of 200 of them.
#include "base/ProgramDirectory.h"
#include "base/RecordingSink.h"
#include "document/UndoHistory.h"
#include "editor/EditorSession.h"
#include "editor/ObjectArrangement.h"
#include "editor/ScreenCheckpoint.h"
#include "editor/UndoTarget.h"
#include "model/ProjectStore.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

using namespace dispcraft;

namespace {

struct FullScreen : UndoTarget {
    std::unique_ptr<ProjectStore> st = std::make_unique<ProjectStore>();
    RecordingSink sink;
    ProgramDirectory dir{DISPCRAFT_BENCH_PROGRAM_DIR};
    std::unique_ptr<EditorSession> session;

    FullScreen() {
        st->lcdX = 200;
        st->lcdY = 60;
        st->pictures[1] = {1, 8, 8, 0, std::string(8 * 8, '\0')};
        session = std::make_unique<EditorSession>(*st, dir, sink);
        ScreenObjects& o = session->screen().objects();
        const int lx = st->lcdX, ly = st->lcdY;
        // Every list full, the objects in the left half of the LCD so that the group can move.
        for (int i = 0; i < 96; ++i) {
            const int cx = lx + (i % 8) * 16, cy = ly + (i / 8 % 3) * 32;
            auto& t = o.textStrings[static_cast<size_t>(i)];
            t.kindWord = kKindTextString;
            t.x = cx;
            t.y = cy;
            t.text = "T";
            auto& m = o.msgDisps[static_cast<size_t>(i)];
            m.kindWord = kKindMsgDisp;
            m.x = cx;
            m.y = cy;
            m.texts[0] = "ON";
            auto& n = o.numDisps[static_cast<size_t>(i)];
            n.kindWord = kKindNumDisp;
            n.x = cx;
            n.y = cy;
            n.preview = "12";
            n.digits = 2;
        }
        for (int i = 0; i < 48; ++i) {
            const int cx = lx + (i % 8) * 16, cy = ly + (i / 8 % 3) * 32;
            auto& b = o.barGraphs[static_cast<size_t>(i)];
            b.kindWord = kKindBarGraph;
            b.x = cx;
            b.y = cy;
            b.attr = 1;
            b.length = 16;
            b.thickness = 16;
            auto& l = o.lamps[static_cast<size_t>(i)];
            l.kindWord = kKindLamp;
            l.x = cx;
            l.y = cy;
            l.dotCount = 512;
            l.dots.assign(512, '\0');
            auto& p = o.pictures[static_cast<size_t>(i)];
            p.kindWord = kKindPicture;
            p.x = cx;
            p.y = cy;
            p.pictureNo = 1;
        }
        for (int i = 0; i < 2; ++i) {
            auto& t = o.trendGraphs[static_cast<size_t>(i)];
            t.kindWord = kKindTrendGraph;
            t.x = lx;
            t.y = ly;
            t.width = 40;
            t.height = 16;
        }
        session->selectAll();
    }

    // One step of the history: every object one grid step right (or back left).
    std::unique_ptr<UndoCommand> moveAll(bool right) {
        ScreenContents& screen = session->screen();
        const ScreenCheckpoint before(screen);
        ObjectArrangement::moveSelection(
            screen, {right ? ScreenContents::kGrid : -ScreenContents::kGrid, 0});
        return before.stepTo(screen,
                             [](const auto& d) { return ScreenCheckpoint::moveName(d.moved); });
    }

    ProjectStore& store() override { return *st; }
    ScreenContents* screenWindow(int) override { return &session->screen(); }
    void rebindWindow(int, int) override {}
    void storedScreensChanged(const std::vector<int>&) override {}
    void projectChanged() override {}
};

// The resident memory of the process, in bytes.
double residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb * 1024.0;
        }
    }
    return 0;
}

// Undo and redo of a move of all 434 objects (one pair per iteration).
void BM_UndoRedoMoveOfAll(benchmark::State& state) {
    FullScreen f;
    UndoHistory history;
    history.push(f.moveAll(true));
    for (auto _ : state) {
        history.undo(f);
        history.redo(f);
        f.session->screen().takeInvalidations();
    }
    state.counters["objects"] =
        static_cast<double>(ObjectSelection::of(f.session->screen().objects()).count());
}
BENCHMARK(BM_UndoRedoMoveOfAll)->Unit(benchmark::kMicrosecond);

// Recording the move of all 434 objects: the checkpoint before, the move, the comparison.
void BM_RecordMoveOfAll(benchmark::State& state) {
    FullScreen f;
    UndoHistory history;
    bool right = true;
    for (auto _ : state) {
        history.push(f.moveAll(right));
        right = !right;
        f.session->screen().takeInvalidations();
    }
}
BENCHMARK(BM_RecordMoveOfAll)->Unit(benchmark::kMicrosecond);

// The memory 200 such steps hold (the history's own account, in bytes).
void BM_MemoryOf200MovesOfAll(benchmark::State& state) {
    for (auto _ : state) {
        FullScreen f;
        UndoHistory history;
        const double before = residentBytes();
        for (int i = 0; i < 200; ++i) {
            history.push(f.moveAll(i % 2 == 0));
        }
        state.counters["RSS_growth_MB"] = (residentBytes() - before) / (1024.0 * 1024.0);
        state.counters["steps"] = static_cast<double>(history.count());
        state.counters["MB"] = static_cast<double>(history.bytes()) / (1024.0 * 1024.0);
        state.counters["bytes_per_step"] = static_cast<double>(history.bytes()) / 200.0;
    }
}
BENCHMARK(BM_MemoryOf200MovesOfAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
