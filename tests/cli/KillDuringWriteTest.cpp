// Kills dispcraft-cli (SIGKILL) at random moments while it writes a file -- a project filled to
// every capacity, a lamp picture, a download image -- and checks what the user finds afterwards:
// the old file or the new one, whole, never anything between; and after the next write no
// temporary file beside it.

#include "CliRun.h"

#include "core/model/TrnTestSupport.h"

#include "model/TrnWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <thread>
#include <unistd.h>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

using Clock = std::chrono::steady_clock;

// The entries of a directory other than the given file names.
std::vector<std::string> othersIn(const std::string& dir, const std::vector<std::string>& known) {
    std::vector<std::string> out;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d)) {
            std::string n = e->d_name;
            if (n != "." && n != ".." && std::find(known.begin(), known.end(), n) == known.end()) {
                out.push_back(n);
            }
        }
        ::closedir(d);
    }
    return out;
}

pid_t spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

// One kind of write: two command lines that write the same file with two different contents.
struct Writer {
    std::string name;
    std::string dir;                                 // where the file is written
    std::string file;                                // its name there
    std::vector<std::string> inputs;                 // files of dir that are not written
    std::array<std::vector<std::string>, 2> command; // full argv of each variant
};

struct Tally {
    int kills = 0;
    int foundOld = 0;
    int foundNew = 0;
    int leftTemporary = 0; // killed half-way through the write
};

// Runs a variant to its end; returns the time it took.
double runToEnd(const Writer& w, int variant) {
    auto start = Clock::now();
    pid_t pid = spawn(w.command[variant]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << w.name << " variant " << variant;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Kills the writer `kills` times at random moments: a quarter anywhere in its run, the rest
// after its temporary file appeared, at a random point of the write.
Tally killRepeatedly(const Writer& w, int kills, std::mt19937& rng) {
    const std::string path = w.dir + "/" + w.file;
    std::vector<std::string> known = w.inputs;
    known.push_back(w.file);

    // What each variant writes, and how long a run takes.
    std::array<std::string, 2> expected;
    double runSeconds = 0;
    for (int v : {1, 0}) {
        runSeconds = std::max(runSeconds, runToEnd(w, v));
        expected[v] = slurp(path);
    }
    EXPECT_NE(expected[0], expected[1]) << w.name;
    EXPECT_TRUE(othersIn(w.dir, known).empty());
    int current = 0;

    Tally t;
    for (int k = 0; k < kills; ++k) {
        const int next = 1 - current;
        const bool anywhere = rng() % 4 == 0;
        const auto start = Clock::now();
        pid_t pid = spawn(w.command[next]);
        if (anywhere) {
            std::uniform_real_distribution<double> at(0, runSeconds * 1.1);
            std::this_thread::sleep_for(std::chrono::duration<double>(at(rng)));
        } else {
            // Wait for the temporary file, then kill within the next few milliseconds.
            while (othersIn(w.dir, known).empty() &&
                   Clock::now() - start < std::chrono::seconds(5)) {
                int status;
                if (::waitpid(pid, &status, WNOHANG) == pid) {
                    pid = -1;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
            std::uniform_int_distribution<int> at(0, 3000);
            std::this_thread::sleep_for(std::chrono::microseconds(at(rng)));
        }
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        ++t.kills;
        const std::string found = slurp(path);
        if (found == expected[next]) {
            ++t.foundNew;
            current = next;
        } else if (found == expected[current]) {
            ++t.foundOld;
        } else {
            ADD_FAILURE() << w.name << ": kill " << k << " left " << found.size()
                          << " bytes that are neither the old file nor the new one";
            return t;
        }
        if (!othersIn(w.dir, known).empty()) {
            ++t.leftTemporary;
            // The next write takes away what the killed one left.
            runToEnd(w, 1 - current);
            current = 1 - current;
            EXPECT_EQ(slurp(path), expected[current]);
            std::vector<std::string> left = othersIn(w.dir, known);
            EXPECT_TRUE(left.empty()) << w.name << ": " << left.front();
        }
    }
    return t;
}

// A project with every screen, object list, picture and alarm filled to its capacity.
std::string fullProject(const std::string& screenName) {
    auto st = newProject('B');
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        addScreen(*st, s, 1000, screenName + std::to_string(s));
    }
    for (int i = 1; i <= capacity::kLastPicture; ++i) {
        addPicture(*st, i, 192, 64);
    }
    for (int g = 0; g < 2; ++g) {
        AlarmBlock& a = st->alarms[g];
        a.count = capacity::kAlarmMessages;
        for (int i = 0; i < a.count; ++i) {
            a.offsets[i] = static_cast<uint32_t>(st->alarmPools[g].size());
            st->alarmPools[g] += screenName + " alarm " + std::to_string(i);
            a.lengths[i] = static_cast<uint8_t>(st->alarmPools[g].size() - a.offsets[i]);
        }
    }
    st->changeCount = capacity::kChangeRecords;
    for (int i = 0; i < capacity::kChangeRecords; ++i) {
        pattern(st->changes[i], static_cast<uint8_t>(i));
    }
    EXPECT_TRUE(TrnWriter::prepare(*st).ok);
    return TrnWriter::serialise(*st);
}

std::vector<uint8_t> lampBitmap(bool leftDark) {
    // 64 x 32, one bit a dot, black then white.
    const uint32_t stride = 8, offBits = 62, size = offBits + stride * 32;
    std::vector<uint8_t> b(size, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[2] = static_cast<uint8_t>(size);
    b[3] = static_cast<uint8_t>(size >> 8);
    b[10] = offBits;
    b[14] = 40;
    b[18] = 64;
    b[22] = 32;
    b[26] = 1;
    b[28] = 1;
    b[58] = b[59] = b[60] = 0xFF;
    for (uint32_t row = 0; row < 32; ++row) {
        for (uint32_t i = 0; i < stride; ++i) {
            b[offBits + row * stride + i] = (i < 4) == leftDark ? 0x00 : 0xFF;
        }
    }
    return b;
}

class KillDuringWrite : public ::testing::Test {
protected:
    void SetUp() override {
        const unsigned seed = std::random_device{}();
        rng.seed(seed);
        RecordProperty("seed", static_cast<int>(seed));
        std::printf("random seed %u\n", seed);
    }
    std::vector<std::string> cli(std::vector<std::string> args) const {
        args.insert(args.begin(), {DISPCRAFT_CLI, "--program-dir", DISPCRAFT_TEST_PROGRAM_DIR});
        return args;
    }
    void report(const char* what, const Tally& t) {
        std::printf("%s: %d kills, old file found %d times, new file %d times, killed mid-write %d "
                    "times\n",
                    what, t.kills, t.foundOld, t.foundNew, t.leftTemporary);
    }
    std::mt19937 rng;
    TempDir work;
};

} // namespace

TEST_F(KillDuringWrite, SavingAFullProjectLeavesTheOldOrTheNewFile) {
    TempDir in;
    ASSERT_TRUE(!in.write("a.trn", fullProject("first")).empty());
    ASSERT_TRUE(!in.write("b.trn", fullProject("second")).empty());
    Writer w{"resave", work.path(), "project.trn", {}, {}};
    w.command[0] = cli({"resave", in.file("a.trn"), work.file("project.trn")});
    w.command[1] = cli({"resave", in.file("b.trn"), work.file("project.trn")});
    Tally t = killRepeatedly(w, 80, rng);
    report("project", t);
    EXPECT_EQ(t.kills, 80);
}

TEST_F(KillDuringWrite, WritingALampPictureLeavesTheOldOrTheNewFile) {
    TempDir in;
    ASSERT_TRUE(!in.write("left.bmp", lampBitmap(true)).empty());
    ASSERT_TRUE(!in.write("right.bmp", lampBitmap(false)).empty());
    Writer w{"lamp", work.path(), "lamp.lmp", {}, {}};
    w.command[0] = cli({"lamp", in.file("left.bmp"), work.file("lamp.lmp"), "--size", "32"});
    w.command[1] = cli({"lamp", in.file("right.bmp"), work.file("lamp.lmp"), "--size", "32"});
    Tally t = killRepeatedly(w, 70, rng);
    report("lamp picture", t);
    EXPECT_EQ(t.kills, 70);
}

TEST_F(KillDuringWrite, WritingADownloadImageLeavesTheOldOrTheNewFile) {
    const std::string examples = DISPCRAFT_TEST_EXAMPLES_DIR;
    if (!std::filesystem::exists(examples + "/one-port-demo.trn")) {
        GTEST_SKIP() << "the example projects are not built";
    }
    Writer w{"build", work.path(), "qelsoft.qel", {}, {}};
    w.command[0] = cli({"build", examples + "/one-port-demo.trn", "-o", work.file("qelsoft.qel")});
    w.command[1] = cli({"build", examples + "/two-port-demo.trn", "-o", work.file("qelsoft.qel")});
    Tally t = killRepeatedly(w, 70, rng);
    report("download image", t);
    EXPECT_EQ(t.kills, 70);
}
