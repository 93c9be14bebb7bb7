// The panel simulator's step: one scan of a full screen (96 numeric displays, 48 lamps and 2
// trend graphs, their words and bits driven by generators and changing every step) and the
// drawing of its LCD. The window runs one such step per frame at 10 frames per second.
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "model/ProjectStore.h"
#include "sim/Simulation.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace dispcraft;

namespace {

std::unique_ptr<Simulation> fullScreen() {
    ProgramDirectory dir(DISPCRAFT_BENCH_PROGRAM_DIR);
    NewProjectChoice choice;
    if (ProjectSetup::defaultChoice(dir, 2, "", "", choice)) {
        return nullptr;
    }
    auto st = std::make_unique<ProjectStore>();
    ProjectSetup::newProject(*st, dir, choice);
    st->entries[1].number = 1;
    ScreenEntry& e = st->entries[1];
    ScreenBlock& b = st->screens[1];
    auto x = [&](int dot) { return static_cast<uint16_t>((st->lcdX + 2 * dot) / 2); };
    auto y = [&](int dot) { return static_cast<uint16_t>((st->lcdY + 2 * dot) / 2); };
    // 96 numeric displays of 2 figures, 8 across and 12 down (they may overlap: all are drawn).
    for (int i = 0; i < 96; ++i) {
        NumDispRecord& n = b.numDisps[e.numCount++];
        n = NumDispRecord{};
        n.kind = kKindNumDisp;
        n.x = x(i % 8 * 24);
        n.y = y(i / 8 * 4);
        n.attr = i % 3 == 0 ? 0x08 : 0;
        n.address = static_cast<uint16_t>(i);
        n.digits = 3;
        n.decimals = i % 2;
    }
    for (int i = 0; i < 48; ++i) {
        LampRecord& l = b.lamps[e.lampCount++];
        l = LampRecord{};
        l.kind = kKindLamp;
        l.x = x(i % 12 * 16);
        l.y = y(i / 12 * 16);
        l.address = static_cast<uint16_t>(i);
        l.setName(i % 2 ? "lamp02_16x16" : "lamp03_16x16");
    }
    for (int i = 0; i < 2; ++i) {
        TrendGraphRecord& t = b.trendGraphs[e.trendCount++];
        t = TrendGraphRecord{};
        t.kind = kKindTrendGraph;
        t.x = x(i * 96);
        t.y = y(0);
        t.address = static_cast<uint16_t>(200 + i);
        t.maximum = 1000;
        t.spacing = 2;
        t.pointCount = 45;
        t.width = 95;
        t.height = 64;
    }
    Simulation::Started s = Simulation::start(*st, dir, {});
    if (!s.simulation) {
        return nullptr;
    }
    Simulation& sim = *s.simulation;
    for (int i = 0; i < 96; ++i) {
        if (sim.watch().add("COM1 D " + std::to_string(1000 + i).substr(1), sim.plc())) {
            break;
        }
        sim.watch().entries().back().generator = {ValueGenerator::Kind::Ramp, 0, 999, 1000 + 100 * i};
    }
    for (int i = 0; i < 2; ++i) {
        sim.watch().add("COM1 D 020" + std::to_string(i), sim.plc());
        sim.watch().entries().back().generator = {ValueGenerator::Kind::Sine, 0, 1000, 3000};
    }
    return std::move(s.simulation);
}

void BM_SimulatedStepOfAFullScreen(benchmark::State& state) {
    std::unique_ptr<Simulation> sim = fullScreen();
    if (!sim) {
        state.SkipWithError("the shipped program directory has no two-port model");
        return;
    }
    const auto& numbers = sim->image().screen(1)->records<NumDispImageRecord>();
    if (numbers.size() != 96) {
        state.SkipWithError("the screen was not built full");
        return;
    }
    uint32_t lamps = 0;
    for (auto _ : state) {
        // Every lamp's bit changes as well.
        for (uint32_t l = 0; l < 48; ++l) {
            sim->plc().setBit(0, 0, l, 0, ((lamps >> (l % 8)) & 1) != 0);
        }
        ++lamps;
        sim->advance(PanelRuntime::kScanMs);
        benchmark::DoNotOptimize(sim->panel().render());
    }
}
BENCHMARK(BM_SimulatedStepOfAFullScreen)->Unit(benchmark::kMicrosecond);

} // namespace
