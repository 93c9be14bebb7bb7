// The simulator window of Dispcraft at its 10 frames per second on the two-port example, with
// generators moving a bar graph and both trend graphs: the share of one core the whole process
// takes, measured by its CPU time over 5 seconds of wall-clock time. Run it under the display
// the window is meant for (QT_QPA_PLATFORM=offscreen measures the program without a display).
#include "app/AppContext.h"
#include "app/Prompts.h"
#include "app/SimulatorWindow.h"
#include "config/ProjectSetup.h"
#include "model/ProjectStore.h"
#include "model/TrnReader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace dispcraft;

namespace {

double processCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void BM_SimulatorWindowAt10FramesPerSecond(benchmark::State& state) {
    std::unique_ptr<AppContext> app = AppContext::start(DISPCRAFT_BENCH_PROGRAM_DIR, "");
    auto store = std::make_unique<ProjectStore>();
    if (!TrnReader::load(*store, DISPCRAFT_BENCH_EXAMPLES_DIR "/two-port-demo.trn").ok) {
        state.SkipWithError("the example projects are not built");
        return;
    }
    ProjectSetup::afterLoad(*store, app->dir());
    store->projectOpen = true;
    store->projectPath.clear(); // keeps the memory table off the disk
    WidgetPrompts prompts;
    SimulatorWindow window(*app, prompts);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    if (!window.start(*store)) {
        state.SkipWithError("the example does not build");
        return;
    }
    for (const char* address : {"COM1 DM 007A", "COM1 DM 006E", "COM1 DM 0070"}) {
        window.addRow(address);
        window.simulation()->watch().entries().back().generator = {ValueGenerator::Kind::Sine, 0, 500, 4000};
    }
    window.simulation()->panel().pressFunctionKey(2); // the trend screen
    window.show();
    for (auto _ : state) {
        QElapsedTimer wall;
        const double cpu0 = processCpuSeconds();
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = processCpuSeconds() - cpu0;
        state.SetIterationTime(static_cast<double>(wall.elapsed()) / 1000.0);
        state.counters["cpu_percent"] = 100.0 * cpu / (static_cast<double>(wall.elapsed()) / 1000.0);
        state.counters["sim_seconds"] = static_cast<double>(window.simulation()->panel().now()) / 1000.0;
    }
}
BENCHMARK(BM_SimulatorWindowAt10FramesPerSecond)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
