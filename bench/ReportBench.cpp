// The project report of a project with 199 screens (the two-port example's screens over and
// over), pictures included, as dispcraft-cli report writes it: the goal is under 2 s.
#include "base/ProgramDirectory.h"
#include "document/ProjectDocument.h"
#include "model/ProjectStore.h"
#include "report/ProjectReport.h"
#include "report/ReportPictures.h"
#include "text/LanguageStrings.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace dispcraft;

namespace {

constexpr int kScreens = 199;

std::unique_ptr<ProjectStore> largeProject(const ProgramDirectory& dir) {
    auto st = std::make_unique<ProjectStore>();
    const std::string path = std::string(DISPCRAFT_BENCH_EXAMPLES_DIR) + "/two-port-demo.trn";
    if (!ProjectDocument::readFile(*st, path, dir).ok) {
        return nullptr;
    }
    std::vector<int> stored;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st->screenExists(s)) {
            stored.push_back(s);
        }
    }
    for (int s = 1; s <= kScreens; ++s) {
        const int from = stored[static_cast<size_t>(s) % stored.size()];
        if (s != from) {
            st->screens[static_cast<size_t>(s)] = st->screens[static_cast<size_t>(from)];
            st->entries[static_cast<size_t>(s)] = st->entries[static_cast<size_t>(from)];
            st->entries[static_cast<size_t>(s)].number = static_cast<uint8_t>(s);
        }
    }
    return st;
}

void BM_ReportOf199Screens(benchmark::State& state) {
    const ProgramDirectory dir(DISPCRAFT_BENCH_PROGRAM_DIR);
    auto st = largeProject(dir);
    if (!st) {
        state.SkipWithError("the two-port example could not be read");
        return;
    }
    LanguageStrings strings;
    size_t bytes = 0;
    for (auto _ : state) {
        ReportPictures pictures(*st, dir, strings);
        const std::string html = ProjectReport::html(*st, strings, "large.trn", &pictures);
        bytes = html.size();
        benchmark::DoNotOptimize(html.data());
    }
    state.counters["screens"] = kScreens;
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ReportOf199Screens)->Unit(benchmark::kMillisecond);

} // namespace
