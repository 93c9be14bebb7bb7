// dispcraft-download-soak: runs randomized faulted transfers from dispcraft-cli download to
// dispcraft-panel and counts how each ended against what the download protocol says must
// happen with those faults: transfers that must succeed and did (the received files compared
// byte for byte), that must fail and were reported failed, false successes, false failures, and
// transfers that ran past the protocol's own time bounds. Exit status 0 when every transfer
// ended as it must, 1 otherwise, 2 for wrong arguments.
//
//   dispcraft-download-soak [--transfers N] [--jobs J] [--seed S] [--bin DIR] [--verbose]

#include "base/ScratchDirectory.h"
#include "model/ProjectStore.h"
#include "model/TrnWriter.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <poll.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace dispcraft;
namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using SteadyClock = std::chrono::steady_clock;

namespace {

// The protocol's numbers the oracle needs.
constexpr int kHandshakeAttempts = 11;  // the 11th unanswered handshake ends the transfer
constexpr int kNoAnswerLimit = 3;       // the 3rd reply in a row without ESC fails
constexpr int kRefusalLimit = 5;        // the 5th refusal in a row fails
constexpr int kClockAttempts = 3;       // the clock is tried three times
constexpr int kGen1SystemPackets = 768; // 24,576 bytes in blocks of 32
constexpr size_t kGen1SystemLength = 24576;
constexpr size_t kHeaderLength = 17; // "QEL120"/"QEL121" driver and system program header

// ---------------------------------------------------------------------------------------------
// Processes

struct Child {
    pid_t pid = -1;
    int out = -1; // stdout, when captured
};

Child spawn(const std::vector<std::string>& args, bool captureOut, const std::string& errFile) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (captureOut && ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return {};
    }
    int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Child c;
    c.pid = ::fork();
    if (c.pid == 0) {
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(captureOut ? pipeFds[1] : null, 1);
        ::dup2(err >= 0 ? err : null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (err >= 0) {
        ::close(err);
    }
    if (captureOut) {
        ::close(pipeFds[1]);
        c.out = pipeFds[0];
    }
    return c;
}

// The first line the child writes, within the time given.
std::string firstLine(const Child& c, std::chrono::milliseconds within) {
    std::string line;
    const auto end = SteadyClock::now() + within;
    while (SteadyClock::now() < end) {
        pollfd p{c.out, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) {
            continue;
        }
        char ch;
        ssize_t n = ::read(c.out, &ch, 1);
        if (n <= 0) {
            break;
        }
        if (ch == '\n') {
            return line;
        }
        line += ch;
    }
    return {};
}

// Waits for the child's exit; nothing when it did not end in time (it is then killed).
std::optional<int> waitFor(pid_t pid, double seconds) {
    const auto end = SteadyClock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int status = 0;
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (SteadyClock::now() >= end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void stop(Child& c) {
    if (c.pid > 0) {
        ::kill(c.pid, SIGTERM);
        if (!waitFor(c.pid, 3.0)) {
            ::kill(c.pid, SIGKILL);
        }
        c.pid = -1;
    }
    if (c.out >= 0) {
        ::close(c.out);
        c.out = -1;
    }
}

// ---------------------------------------------------------------------------------------------
// Files

bool writeFile(const fs::path& p, const Bytes& b) {
    fs::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return f.good();
}

std::optional<Bytes> readFile(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    if (!f) {
        return std::nullopt;
    }
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

std::string readText(const fs::path& p) {
    auto b = readFile(p);
    return b ? std::string(b->begin(), b->end()) : std::string();
}

Bytes randomBytes(std::mt19937& rng, size_t n) {
    Bytes b(n);
    for (auto& x : b) {
        x = static_cast<uint8_t>(rng());
    }
    return b;
}

Bytes withHeader(int type, const Bytes& body) {
    Bytes b(kHeaderLength + body.size(), ' ');
    std::memcpy(b.data(), type == 3 ? "QEL121" : "QEL120", 6);
    std::copy(body.begin(), body.end(), b.begin() + kHeaderLength);
    return b;
}

// Whole packets of `block` bytes (at least one), the last one padded with zeros, then `extra`
// zero bytes.
Bytes padded(Bytes b, size_t block, size_t extra = 0) {
    b.resize(std::max<size_t>(1, (b.size() + block - 1) / block) * block + extra, 0);
    return b;
}

size_t packetsOf(size_t bytes, size_t block) {
    return std::max<size_t>(1, (bytes + block - 1) / block);
}

// ---------------------------------------------------------------------------------------------
// The program directory: a two-port model (generation 2) and a one-port model (generation 1),
// the protocol files and link drivers of both panel types, and a project of each.

struct World {
    fs::path programDir;
    fs::path project1, project2;
    Bytes driverA1, driverA2, driverB1, driverB2;
};

fs::path saveProject(const fs::path& dir, int cpuId) {
    auto s = std::make_unique<ProjectStore>();
    s->reset();
    std::memcpy(s->header.magic, "DAVO", 4);
    s->header.format = 51;
    s->cpuId = cpuId;
    s->modelTitle = cpuId == 2 ? "TR - A" : "TR - B";
    ProjectBlock& pb = s->projectBlock;
    ProjectBlock::setName(pb.com1Protocol, "P1");
    ProjectBlock::setName(pb.com2Protocol, cpuId == 2 ? "P2" : "");
    pb.baud[0] = 9600;
    pb.baud[1] = 19200;
    pb.dataBits[0] = pb.dataBits[1] = 8;
    pb.stopBits[0] = pb.stopBits[1] = 1;
    pb.parity[0] = pb.parity[1] = 'n';
    pb.startScreen = 1;
    fs::path path = dir / (cpuId == 2 ? "two.trn" : "one.trn");
    TrnWriter::save(*s, path.string());
    return path;
}

World makeWorld(const fs::path& root, std::mt19937& rng) {
    World w;
    w.programDir = root / "program";
    const std::string ini = "[LinkProtocol]\r\nPLCID=5\r\nLinkName=Soak\r\n";
    const std::string models =
        "[TYPE]\r\nT1=Two ports\r\nT2=One port\r\n"
        "[T1]\r\ncom=2\r\nID_STR=TR - A\r\n[T2]\r\ncom=1\r\nID_STR=TR - B\r\n"
        "[TR - A]\r\nCPU_ID=2\r\nLCD_X=100\r\nLCD_Y=60\r\nALarmnum=1\r\n"
        "[TR - B]\r\nCPU_ID=1\r\nLCD_X=100\r\nLCD_Y=60\r\nALarmnum=1\r\n";
    writeFile(w.programDir / "qelsys.ini", Bytes(models.begin(), models.end()));
    for (const char* p :
         {"Protocol120/comport1/P1.ini", "Protocol120/comport2/P2.ini", "Protocol/P1.ini"}) {
        writeFile(w.programDir / p, Bytes(ini.begin(), ini.end()));
    }
    // Sizes across packet boundaries, a header-only driver among them now and then.
    auto body = [&](size_t most) { return randomBytes(rng, rng() % 5 == 0 ? 0 : rng() % most); };
    w.driverA1 = withHeader(2, body(700));
    w.driverA2 = withHeader(2, body(300));
    w.driverB1 = withHeader(3, body(700));
    w.driverB2 = withHeader(3, body(300));
    writeFile(w.programDir / "Protocol120/comport1/P1_1.bin", w.driverA1);
    writeFile(w.programDir / "Protocol120/comport2/P2_2.bin", w.driverA2);
    writeFile(w.programDir / "Protocol120/comport_B/P1_1.bin", w.driverB1);
    writeFile(w.programDir / "Protocol120/comport_B/P2_2.bin", w.driverB2);
    writeFile(w.programDir / "Protocol/P1.bin", randomBytes(rng, 4200));
    fs::create_directories(w.programDir / "lampdata");
    w.project1 = saveProject(root, 1);
    w.project2 = saveProject(root, 2);
    return w;
}

// ---------------------------------------------------------------------------------------------
// A transfer and what must come of it

struct Plan {
    int generation = 2;
    bool typeB = false;
    bool systemProgram = false;
    bool clock = false;
    int silent = 0;  // unanswered handshakes
    int garbage = 0; // data replies without ESC
    int refusePacket = -1;
    int refuseTimes = 0;
    int corruptPacket = -1;
    int corruptReply = -1;
    int refuseClock = 0;
    bool otherType = false; // generation-2 system program for the other panel type
    bool noMarker = false;  // generation-1 system program without its marker
    bool paced = false;     // the panel takes bytes no faster than 19200 baud
    Bytes file;             // the image or the system program sent
    int packets = 0;
    bool mustSucceed = true;
    std::string rule; // why it must fail
    double bound = 0; // seconds the protocol allows

    std::string kind() const {
        std::string k = generation == 1 ? "generation 1"
                        : typeB         ? "generation 2 type B"
                                        : "generation 2 type A";
        k += systemProgram ? ", system program" : ", project";
        if (clock && generation == 2) {
            k += " + clock";
        }
        return k;
    }
    std::string faults() const {
        std::ostringstream s;
        if (silent)
            s << " --no-answer " << silent;
        if (garbage)
            s << " --garbage " << garbage;
        if (refusePacket >= 0)
            s << " --refuse " << refusePacket << ":" << refuseTimes;
        if (corruptPacket >= 0)
            s << " --corrupt " << corruptPacket;
        if (corruptReply >= 0)
            s << " --corrupt-reply " << corruptReply;
        if (refuseClock)
            s << " --refuse-clock " << refuseClock;
        if (otherType)
            s << " (system program of the other type)";
        if (noMarker)
            s << " (system program without its marker)";
        if (paced)
            s << " --pace";
        return s.str();
    }
};

Plan makePlan(const World& w, std::mt19937& rng) {
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    auto between = [&](int lo, int hi) {
        return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
    };
    Plan p;
    p.generation = chance(50) ? 1 : 2;
    p.typeB = p.generation == 2 && chance(50);
    p.systemProgram = chance(20);
    p.clock = chance(30);

    if (p.systemProgram && p.generation == 2) {
        p.otherType = chance(25);
        const int type = (p.typeB != p.otherType) ? 3 : 2;
        p.file = withHeader(type, randomBytes(rng, static_cast<size_t>(between(1, 2500))));
        p.packets = static_cast<int>(packetsOf(p.file.size() - kHeaderLength, 128));
    } else if (p.systemProgram) {
        p.noMarker = chance(25);
        p.file = randomBytes(rng, kGen1SystemLength + 13 + static_cast<size_t>(between(0, 500)));
        if (!p.noMarker) {
            std::memcpy(p.file.data() + kGen1SystemLength, "QEL 1.0 .. 02", 13);
        } else {
            p.file[kGen1SystemLength] = 'X';
        }
        p.packets = kGen1SystemPackets;
    } else if (p.generation == 2) {
        p.file = randomBytes(rng, static_cast<size_t>(between(1, 6000)));
        const Bytes& d1 = p.typeB ? w.driverB1 : w.driverA1;
        const Bytes& d2 = p.typeB ? w.driverB2 : w.driverA2;
        p.packets = static_cast<int>(packetsOf(d1.size() - kHeaderLength, 128) +
                                     packetsOf(d2.size() - kHeaderLength, 128) +
                                     packetsOf(p.file.size(), 128));
    } else {
        p.file = randomBytes(rng, static_cast<size_t>(between(1, 3000)));
        p.packets = static_cast<int>((p.file.size() + 31) / 32 + 1);
    }

    // Faults, each now and then, at packets inside the transfer and a little past its end.
    const int r = static_cast<int>(rng() % 100);
    p.silent = r < 70 ? 0 : r < 90 ? between(1, 3) : between(9, 12);
    p.garbage = chance(25) ? between(1, 4) : 0;
    if (chance(40)) {
        p.refusePacket = between(0, p.packets + 1);
        p.refuseTimes = between(1, 6);
    }
    if (chance(30)) {
        p.corruptPacket = between(0, p.packets + 1);
    }
    if (chance(30)) {
        p.corruptReply = between(0, p.packets + 1);
    }
    if (p.clock && chance(40)) {
        p.refuseClock = between(1, 4);
    }
    p.paced = !p.systemProgram && chance(10);

    // What the protocol makes of it, the first failing rule winning.
    auto fail = [&](const char* rule) {
        if (p.mustSucceed) {
            p.mustSucceed = false;
            p.rule = rule;
        }
    };
    const bool sendsClock = p.clock && p.generation == 2; // after a system program too
    if (p.noMarker) {
        fail("system program without its marker: nothing is sent");
    }
    if (p.silent >= kHandshakeAttempts) {
        fail("11 handshakes unanswered");
    }
    if (p.otherType) {
        fail("system program of the other panel type");
    }
    if (p.garbage >= kNoAnswerLimit) {
        fail("3 replies in a row without ESC");
    }
    for (int packet = 0; packet < p.packets; ++packet) {
        // Refusals of one packet: the garbled packet, the refusals asked for, the garbled reply
        // (seen as a refusal, the packet then sent again).
        int refusals = (p.corruptPacket == packet) + (p.corruptReply == packet) +
                       (p.refusePacket == packet ? p.refuseTimes : 0);
        if (refusals >= kRefusalLimit) {
            fail("5 refusals in a row");
        }
    }
    if (sendsClock && p.refuseClock >= kClockAttempts) {
        fail("clock refused three times");
    }

    // Time: every unanswered handshake waits out its read time-out (100 ms a byte + 100 ms), the
    // wait after the handshake (2 s, 5 s for a system program), the packets themselves on an
    // unpaced line, and 3 s for starting the programs and opening the port.
    const double handshakeTimeout = p.generation == 1 ? 0.6 : 0.7;
    const int attempts = std::min(p.silent, kHandshakeAttempts);
    p.bound = attempts * handshakeTimeout + (p.systemProgram ? 5.0 : 2.0) + 0.005 * p.packets + 3.0;
    if (p.paced) {
        // Every byte at 10 bits (8N1) on a 19200-baud line, packets and replies, sent again
        // after each refusal or garbled reply.
        const int perPacket = p.generation == 1 ? 38 + 5 : 136 + 8;
        const int extra = p.garbage + p.refuseTimes + 2;
        p.bound += (12.0 + perPacket * (p.packets + extra) + 17.0 * kClockAttempts) * 10 / 19200;
    }
    return p;
}

// ---------------------------------------------------------------------------------------------
// Running one transfer

enum class Result {
    SucceededAsMust,
    FailedAsMust,
    FalseSuccess,
    FalseFailure,
    BytesDiffer,
    Hang,
    Broken
};

struct Outcome {
    Result result = Result::Broken;
    double seconds = 0;
    std::string detail;
};

Outcome run(const World& w, const Plan& p, const fs::path& dir, const std::string& bin) {
    Outcome o;
    const fs::path store = dir / "store";
    fs::create_directories(store);
    const fs::path sent = dir / (p.systemProgram ? "system.bin" : "image.qel");
    writeFile(sent, p.file);

    std::vector<std::string> panelArgs = {bin + "/dispcraft-panel",
                                          "--store",
                                          store.string(),
                                          "--once",
                                          "--idle-ms",
                                          "300",
                                          "--quiet"};
    auto option = [&](const char* name, int value) {
        panelArgs.push_back(name);
        panelArgs.push_back(std::to_string(value));
    };
    if (p.typeB)
        panelArgs.push_back("--type-b");
    if (p.paced)
        panelArgs.push_back("--pace");
    if (p.silent)
        option("--no-answer", p.silent);
    if (p.garbage)
        option("--garbage", p.garbage);
    if (p.refusePacket >= 0) {
        panelArgs.push_back("--refuse");
        panelArgs.push_back(std::to_string(p.refusePacket) + ":" + std::to_string(p.refuseTimes));
    }
    if (p.corruptPacket >= 0)
        option("--corrupt", p.corruptPacket);
    if (p.corruptReply >= 0)
        option("--corrupt-reply", p.corruptReply);
    if (p.refuseClock)
        option("--refuse-clock", p.refuseClock);
    Child panel = spawn(panelArgs, true, (dir / "panel.err").string());
    const std::string port = firstLine(panel, std::chrono::seconds(10));
    if (port.rfind("/dev/", 0) != 0) {
        stop(panel);
        o.detail = "the panel gave no port: " + readText(dir / "panel.err");
        return o;
    }

    std::vector<std::string> cliArgs = {bin + "/dispcraft-cli",
                                        "--program-dir",
                                        w.programDir.string(),
                                        "download",
                                        (p.generation == 2 ? w.project2 : w.project1).string(),
                                        "--port",
                                        port};
    cliArgs.push_back(p.systemProgram ? "--system-program" : "--image");
    cliArgs.push_back(sent.string());
    if (p.clock)
        cliArgs.push_back("--clock");
    const auto start = SteadyClock::now();
    Child cli = spawn(cliArgs, false, (dir / "cli.err").string());
    // Past the bound the transfer is over its time; 30 s more and it is taken as hung.
    std::optional<int> status = waitFor(cli.pid, p.bound + 30.0);
    o.seconds = std::chrono::duration<double>(SteadyClock::now() - start).count();
    stop(panel);
    const std::string err = readText(dir / "cli.err");
    if (!status) {
        o.result = Result::Hang;
        o.detail = "no end after " + std::to_string(o.seconds) + " s";
        return o;
    }
    if (*status != 0 && *status != 1) {
        o.detail = "exit status " + std::to_string(*status) + ": " + err;
        return o;
    }
    if (*status == 1) {
        o.result = p.mustSucceed ? Result::FalseFailure : Result::FailedAsMust;
        o.detail = err;
    } else if (!p.mustSucceed) {
        o.result = Result::FalseSuccess;
        o.detail = "reported done although: " + p.rule;
    } else {
        // Everything the panel received, byte for byte.
        std::vector<std::pair<std::string, Bytes>> expected;
        if (p.systemProgram && p.generation == 2) {
            expected.emplace_back("system.bin",
                                  padded(Bytes(p.file.begin() + kHeaderLength, p.file.end()), 128));
        } else if (p.systemProgram) {
            expected.emplace_back("system.bin",
                                  Bytes(p.file.begin(), p.file.begin() + kGen1SystemLength));
        } else if (p.generation == 2) {
            const Bytes& d1 = p.typeB ? w.driverB1 : w.driverA1;
            const Bytes& d2 = p.typeB ? w.driverB2 : w.driverA2;
            expected.emplace_back("com1_driver.bin",
                                  padded(Bytes(d1.begin() + kHeaderLength, d1.end()), 128));
            expected.emplace_back("com2_driver.bin",
                                  padded(Bytes(d2.begin() + kHeaderLength, d2.end()), 128));
            expected.emplace_back("image.qel", padded(p.file, 128));
        } else {
            expected.emplace_back("image.qel", padded(p.file, 32, 32));
        }
        o.result = Result::SucceededAsMust;
        for (const auto& [name, bytes] : expected) {
            if (readFile(store / name) != bytes) {
                o.result = Result::BytesDiffer;
                o.detail = name + " differs from what was sent";
            }
        }
        if (p.clock && p.generation == 2 &&
            readText(store / "summary.txt").find("clock: ") == std::string::npos) {
            o.result = Result::FalseSuccess;
            o.detail = "reported done, but the panel's clock was not set";
        }
    }
    if (o.result == Result::SucceededAsMust || o.result == Result::FailedAsMust) {
        if (o.seconds > p.bound) {
            o.result = Result::Hang;
            o.detail = "took " + std::to_string(o.seconds) + " s of " + std::to_string(p.bound);
        }
    }
    return o;
}

// ---------------------------------------------------------------------------------------------

struct Row {
    int runs = 0;
    int succeeded = 0;
    int failed = 0;
    int falseSuccess = 0;
    int falseFailure = 0;
    int bytesDiffer = 0;
    int hangs = 0;
    int broken = 0;
    double worstRatio = 0;
    void add(const Outcome& o, double bound) {
        ++runs;
        switch (o.result) {
        case Result::SucceededAsMust:
            ++succeeded;
            break;
        case Result::FailedAsMust:
            ++failed;
            break;
        case Result::FalseSuccess:
            ++falseSuccess;
            break;
        case Result::FalseFailure:
            ++falseFailure;
            break;
        case Result::BytesDiffer:
            ++bytesDiffer;
            break;
        case Result::Hang:
            ++hangs;
            break;
        case Result::Broken:
            ++broken;
            break;
        }
        worstRatio = std::max(worstRatio, o.seconds / bound);
    }
    bool clean() const { return falseSuccess + falseFailure + bytesDiffer + hangs + broken == 0; }
};

int usage() {
    std::fputs("usage: dispcraft-download-soak [--transfers N] [--jobs J] [--seed S] [--bin DIR] "
               "[--verbose]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int transfers = 50;
    int jobs = 4;
    unsigned seed = std::random_device{}();
    bool verbose = false;
    std::string bin = fs::absolute(fs::path(argv[0])).parent_path().string();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--transfers" && more) {
            transfers = std::atoi(argv[++i]);
        } else if (a == "--jobs" && more) {
            jobs = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--seed" && more) {
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (a == "--bin" && more) {
            bin = argv[++i];
        } else if (a == "--verbose") {
            verbose = true;
        } else {
            return usage();
        }
    }
    if (transfers <= 0) {
        return usage();
    }
    for (const char* program : {"/dispcraft-cli", "/dispcraft-panel"}) {
        if (::access((bin + program).c_str(), X_OK) != 0) {
            std::fprintf(stderr, "dispcraft-download-soak: %s%s is not built\n", bin.c_str(),
                         program);
            return 1;
        }
    }
    ScratchDirectory root("dispcraft-soak");
    if (!root.ok()) {
        std::fprintf(stderr, "dispcraft-download-soak: %s\n", root.error().c_str());
        return 1;
    }
    std::mt19937 worldRng(seed);
    const World world = makeWorld(root.path(), worldRng);
    std::printf("seed %u, %d transfers, %d at a time\n", seed, transfers, jobs);
    std::fflush(stdout);

    std::mutex lock;
    std::map<std::string, Row> rows;
    Row total;
    std::atomic<int> next{0};
    auto worker = [&] {
        for (int i = next++; i < transfers; i = next++) {
            std::mt19937 rng(seed + 7919u * static_cast<unsigned>(i + 1));
            const Plan plan = makePlan(world, rng);
            const fs::path dir = fs::path(root.path()) / ("transfer-" + std::to_string(i));
            const Outcome o = run(world, plan, dir, bin);
            std::lock_guard<std::mutex> guard(lock);
            rows[plan.kind()].add(o, plan.bound);
            total.add(o, plan.bound);
            const bool bad =
                o.result != Result::SucceededAsMust && o.result != Result::FailedAsMust;
            if (bad || verbose) {
                std::printf("%s %4d: %s%s: %s, %.1f s (bound %.1f s)%s%s\n", bad ? "!!" : "  ", i,
                            plan.kind().c_str(), plan.faults().c_str(),
                            plan.mustSucceed ? "must succeed" : ("must fail: " + plan.rule).c_str(),
                            o.seconds, plan.bound, o.detail.empty() ? "" : "\n        ",
                            o.detail.c_str());
                std::fflush(stdout);
            }
            if (!bad) {
                std::error_code ec;
                fs::remove_all(dir, ec);
            }
        }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < jobs; ++j) {
        threads.emplace_back(worker);
    }
    for (std::thread& t : threads) {
        t.join();
    }

    std::printf("\n%-44s %5s %8s %8s %6s %6s %6s %5s %6s\n", "kind", "runs", "ok", "failed",
                "false", "false", "bytes", "over", "worst");
    std::printf("%-44s %5s %8s %8s %6s %6s %6s %5s %6s\n", "", "", "as must", "as must", "succ.",
                "fail.", "differ", "time", "time");
    auto line = [](const std::string& name, const Row& r) {
        std::printf("%-44s %5d %8d %8d %6d %6d %6d %5d %5.0f%%\n", name.c_str(), r.runs,
                    r.succeeded, r.failed, r.falseSuccess, r.falseFailure, r.bytesDiffer,
                    r.hangs + r.broken, 100 * r.worstRatio);
    };
    for (const auto& [name, r] : rows) {
        line(name, r);
    }
    line("all", total);
    std::printf("(worst time: the slowest transfer against the protocol's bound for it)\n");
    return total.clean() ? 0 : 1;
}
