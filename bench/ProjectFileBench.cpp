// Saving and loading the largest project the store can hold: 199 screens, each filled to every
// capacity, 29 full-size pictures, both alarm groups and 100 change records. The file the save
// benchmark writes stays in $TMPDIR/dispcraft-bench/full-project.trn for measuring the
// command-line tool on it (for example /usr/bin/time -v dispcraft-cli info FILE).
#include "model/ProjectStore.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

using namespace dispcraft;

namespace {

void addText(std::string& pool, uint32_t& offset, uint8_t& length, size_t n, char c) {
    offset = static_cast<uint32_t>(pool.size());
    // Half ASCII, half two-byte characters, as a mixed-language screen has.
    std::string t;
    while (t.size() + 2 <= n) {
        t += (t.size() / 2) % 2 ? std::string("\xB1\xC3") : std::string{c, c};
    }
    pool += t;
    length = static_cast<uint8_t>(t.size());
}

std::unique_ptr<ProjectStore> fullProject() {
    auto st = std::make_unique<ProjectStore>();
    st->modelTitle = "TR - B";
    st->com1ProtocolName = "FX_CPU";
    st->com2ProtocolName = "FX_CPU";
    st->initialiseNewProject(SerialSettings{}, SerialSettings{});
    for (int s = 1; s <= capacity::kLastScreen; ++s) {
        ScreenEntry& e = st->entries[s];
        ScreenBlock& b = st->screens[s];
        e.number = static_cast<uint8_t>(s);
        e.setName("screen" + std::to_string(s));
        char c = static_cast<char>('A' + s % 26);
        e.textCount = capacity::kTextStrings;
        for (auto& t : b.textStrings) {
            t.kind = kKindTextString;
            addText(b.textPool, t.textOffset, t.textLength, 24, c);
        }
        e.msgCount = capacity::kMsgDisps;
        for (auto& m : b.msgDisps) {
            m.kind = kKindMsgDisp;
            for (int k = 0; k < 16; ++k) {
                addText(b.textPool, m.textOffsets[k], m.textLengths[k], 12, c);
            }
        }
        e.numCount = capacity::kNumDisps;
        for (auto& n : b.numDisps) {
            n.kind = kKindNumDisp;
            n.digits = 5;
        }
        e.barCount = capacity::kBarGraphs;
        e.trendCount = capacity::kTrendGraphs;
        e.lampCount = capacity::kLamps;
        for (auto& l : b.lamps) {
            l.kind = kKindLamp;
            l.setName("lamp01_16x16");
        }
        e.pictureCount = capacity::kPictureObjects;
        for (auto& p : b.pictures) {
            p.kind = kKindPicture;
            p.pictureNo = 1;
        }
        for (auto& k : b.keys) {
            k.kind = kKindKey;
            k.screen = static_cast<uint8_t>(s);
        }
    }
    for (int i = 1; i <= capacity::kLastPicture; ++i) {
        PictureTableEntry& p = st->pictures[i];
        p.id = static_cast<uint8_t>(i);
        p.width = 192;
        p.height = 64;
        p.dots.assign(192 * 64, '\1');
    }
    for (int g = 0; g < 2; ++g) {
        AlarmBlock& a = st->alarms[g];
        a.count = capacity::kAlarmMessages;
        for (int i = 0; i < capacity::kAlarmMessages; ++i) {
            addText(st->alarmPools[g], a.offsets[i], a.lengths[i], 48, 'a');
        }
    }
    st->changeCount = capacity::kChangeRecords;
    return st;
}

// The same project as a format-4 file: no side records, key blocks, change records or alarm
// group 2.
std::string format4File(ProjectStore& st) {
    TrnWriter::prepare(st);
    std::string f51 = TrnWriter::serialise(st);
    std::string f4 = f51.substr(0, st.fileIndex.globalOldKeysOffset + 72 + 36);
    f4[4] = 4;
    f4[5] = 0;
    return f4;
}

std::string benchDir() {
    auto dir = std::filesystem::temp_directory_path() / "dispcraft-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

void BM_SaveToBytes(benchmark::State& state) {
    auto st = fullProject();
    size_t bytes = 0;
    for (auto _ : state) {
        TrnWriter::prepare(*st);
        std::string f = TrnWriter::serialise(*st);
        bytes = f.size();
        benchmark::DoNotOptimize(f.data());
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<int64_t>(bytes * state.iterations()));
}
BENCHMARK(BM_SaveToBytes)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
    auto st = fullProject();
    std::string path = benchDir() + "/full-project.trn";
    for (auto _ : state) {
        if (!TrnWriter::save(*st, path).ok) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_LoadFromBytes(benchmark::State& state) {
    auto st = fullProject();
    TrnWriter::prepare(*st);
    std::string f = TrnWriter::serialise(*st);
    auto into = std::make_unique<ProjectStore>();
    for (auto _ : state) {
        auto r = TrnReader::read(*into, reinterpret_cast<const uint8_t*>(f.data()), f.size());
        if (!r.ok) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(f.size() * state.iterations()));
}
BENCHMARK(BM_LoadFromBytes)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    auto st = fullProject();
    std::string path = benchDir() + "/full-project-load.trn";
    TrnWriter::save(*st, path);
    auto into = std::make_unique<ProjectStore>();
    for (auto _ : state) {
        if (!TrnReader::load(*into, path).ok) {
            state.SkipWithError("load failed");
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

void BM_LoadFormat4(benchmark::State& state) {
    auto st = fullProject();
    std::string f = format4File(*st);
    auto into = std::make_unique<ProjectStore>();
    for (auto _ : state) {
        auto r = TrnReader::read(*into, reinterpret_cast<const uint8_t*>(f.data()), f.size());
        if (!r.ok || r.fileFormat != 4) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(f.size() * state.iterations()));
}
BENCHMARK(BM_LoadFormat4)->Unit(benchmark::kMillisecond);

} // namespace
