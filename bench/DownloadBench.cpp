// A generation-2 project download of a 45 KB image with two link drivers to dispcraft-panel
// pacing its line at 19200 baud, against the line-rate bound: every byte on the wire at 10 bits
// (8N1), plus the waits the protocol prescribes (2000 ms after the handshake, the pause before
// closing).

#include "base/ScratchDirectory.h"
#include "comm/DownloadSession.h"
#include "comm/EventLoop.h"
#include "comm/Packets.h"
#include "platform/SerialPort.h"
#include "base/RecordingSink.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace dispcraft;
namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path& p, size_t bodySize, bool header, uint8_t seed) {
    std::vector<uint8_t> b;
    if (header) {
        const char h[] = "QEL120...........";
        b.assign(h, h + 17);
    }
    for (size_t i = 0; i < bodySize; ++i) {
        b.push_back(static_cast<uint8_t>(i * 31 + seed));
    }
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                             static_cast<std::streamsize>(b.size()));
}

size_t packetsOf(size_t body) { return body / 128 + 1 - (body % 128 == 0 && body > 0 ? 1 : 0); }

void BM_Generation2Download(benchmark::State& state) {
    const std::string panelPath = std::string(DISPCRAFT_BENCH_PROGRAM_DIR) + "/dispcraft-panel";
    if (::access(panelPath.c_str(), X_OK) != 0) {
        state.SkipWithError("dispcraft-panel is not built");
        return;
    }
    ScratchDirectory scratch("dlbench");
    fs::path dir = scratch.path();
    fs::create_directories(dir / "store");
    const size_t imageSize = 45 * 1024, driver1 = 3000, driver2 = 1500;
    writeFile(dir / "qelsoft.qel", imageSize, false, 1);
    writeFile(dir / "d_1.bin", driver1, true, 2);
    writeFile(dir / "d_2.bin", driver2, true, 3);

    const size_t packets = packetsOf(driver1) + packetsOf(driver2) + packetsOf(imageSize);
    const size_t wireBytes = 2 * packets::kGen2HandshakeSize +
                             packets * (packets::kGen2PacketSize + packets::kGen2DataReplySize);
    const double bound = wireBytes * 10.0 / 19200.0 + 2.0 + DownloadSession::kBriefPauseMs / 1000.0;

    for (auto _ : state) {
        state.PauseTiming();
        int out[2];
        if (::pipe(out) != 0) {
            state.SkipWithError("pipe");
            break;
        }
        pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(out[1], 1);
            std::string store = (dir / "store").string();
            ::execl(panelPath.c_str(), panelPath.c_str(), "--pace=19200", "--quiet", "--store",
                    store.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        std::string line;
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') {
            line += c;
        }
        DownloadInputs in;
        in.cpuId = 2;
        in.imagePath = (dir / "qelsoft.qel").string();
        in.typeA = {(dir / "d_1.bin").string(), (dir / "d_2.bin").string()};
        EventLoop loop;
        SystemClock clock(loop);
        RecordingSink sink;
        DownloadSession session(in, std::make_unique<SerialPort>(line), clock, sink);
        session.setReplyNotifier([&] { loop.post([&] { session.handleReplies(); }); });
        state.ResumeTiming();

        auto start = std::chrono::steady_clock::now();
        session.download();
        loop.runUntil([&] { return !session.transferring(); }, std::chrono::minutes(5));
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

        state.PauseTiming();
        if (session.outcome() != DownloadOutcome::Finished) {
            state.SkipWithError("the download did not finish");
        }
        state.counters["seconds"] = seconds;
        state.counters["bound_s"] = bound;
        state.counters["ratio"] = seconds / bound;
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        ::close(out[0]);
        state.ResumeTiming();
    }
    state.counters["wire_bytes"] = static_cast<double>(wireBytes);
}

} // namespace

BENCHMARK(BM_Generation2Download)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
