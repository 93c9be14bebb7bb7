// Downloads as a user runs them: dispcraft-cli builds a project and sends it over a
// pseudo-terminal to dispcraft-panel, which keeps what it received.

#include "base/FileIo.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "base/FileIo.h"
#include "editor/PngFile.h"
#include "image/ImageBuilder.h"
#include "model/ProjectStore.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "platform/PanelAnnouncements.h"
#include "platform/SerialDeviceList.h"
#include "text/LanguageStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace dispcraft;
namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

const std::string kBin = DISPCRAFT_TEST_BIN_DIR;

Bytes pattern(size_t n, uint8_t seed) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) {
        b[i] = static_cast<uint8_t>(i * 13 + seed);
    }
    return b;
}

Bytes header(int type) {
    Bytes b = {'Q', 'E', 'L', '1', '2', static_cast<uint8_t>(type == 3 ? '1' : '0')};
    b.resize(17, '.');
    return b;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes padded(Bytes b, size_t unit, size_t extra = 0) {
    size_t n = std::max<size_t>(unit, (b.size() + unit - 1) / unit * unit);
    b.resize(n + extra, 0);
    return b;
}

Bytes readFile(const fs::path& p) {
    auto r = FileIo::readBytes(p.string());
    return r ? *r : Bytes{};
}

void writeFile(const fs::path& p, const Bytes& b) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                             static_cast<std::streamsize>(b.size()));
}

void writeText(const fs::path& p, const std::string& s) { writeFile(p, Bytes(s.begin(), s.end())); }

// What the command line prints for a numbered text: its words up to the first placeholder.
std::string says(int id) {
    std::string t = LanguageStrings::builtin().text(id);
    t = t.substr(0, t.find('%'));
    while (!t.empty() && (t.back() == ' ' || t.back() == '(')) {
        t.pop_back();
    }
    return t;
}

// A child process with its output collected.
class Child {
public:
    Child(const std::vector<std::string>& argv) {
        int out[2], err[2];
        EXPECT_EQ(::pipe(out), 0);
        EXPECT_EQ(::pipe(err), 0);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            ::close(out[0]);
            ::close(err[0]);
            std::vector<char*> args;
            for (const std::string& a : argv) {
                args.push_back(const_cast<char*>(a.c_str()));
            }
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        m_out = out[0];
        m_err = err[0];
    }
    ~Child() {
        if (m_pid > 0 && !m_exited) {
            ::kill(m_pid, SIGKILL);
            wait(std::chrono::seconds(5));
        }
        ::close(m_out);
        ::close(m_err);
    }
    // The first line of standard output (the panel prints its port there).
    std::string firstLine() {
        while (m_stdout.find('\n') == std::string::npos && pump(5000)) {
        }
        return m_stdout.substr(0, m_stdout.find('\n'));
    }
    // Waits for the exit; returns the status, or -1 on time-out.
    int wait(std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        while (!m_exited) {
            int status;
            pid_t r = ::waitpid(m_pid, &status, WNOHANG);
            if (r == m_pid) {
                m_exited = true;
                m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                break;
            }
            if (std::chrono::steady_clock::now() > end) {
                return -1;
            }
            pump(20);
        }
        while (pump(0)) {
        }
        return m_status;
    }
    void terminate() {
        if (!m_exited) {
            ::kill(m_pid, SIGTERM);
        }
    }
    void kill() {
        if (!m_exited) {
            ::kill(m_pid, SIGKILL);
        }
    }
    const std::string& out() const { return m_stdout; }
    const std::string& err() const { return m_stderr; }

private:
    bool pump(int ms) {
        pollfd p[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
        if (::poll(p, 2, ms) <= 0) {
            return false;
        }
        bool any = false;
        char buf[4096];
        for (int i = 0; i < 2; ++i) {
            if (p[i].revents & (POLLIN | POLLHUP)) {
                ssize_t n = ::read(p[i].fd, buf, sizeof buf);
                if (n > 0) {
                    (i == 0 ? m_stdout : m_stderr).append(buf, static_cast<size_t>(n));
                    any = true;
                }
            }
        }
        return any;
    }
    pid_t m_pid = -1;
    int m_out = -1, m_err = -1;
    bool m_exited = false;
    int m_status = -1;
    std::string m_stdout, m_stderr;
};

// A program directory with two panel models (two ports, generation 2; one port, generation 1),
// the protocol files and link drivers of both panel types, and a project for each model.
class Download : public ::testing::Test {
protected:
    fs::path root;
    fs::path programDir;
    fs::path store;
    Bytes driverA1 = concat(header(2), pattern(300, 1));
    Bytes driverA2 = concat(header(2), pattern(128, 2)); // exactly one packet
    Bytes driverB1 = concat(header(3), pattern(200, 3));
    Bytes driverB2 = header(3);                          // only its header
    Bytes oneportDriver = pattern(4200, 4);

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::path(::testing::TempDir()) /
               ("e2e_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(root);
        programDir = root / "program";
        store = root / "store";
        writeText(programDir / "qelsys.ini",
                  "[TYPE]\r\nT1=Two ports\r\nT2=One port\r\n"
                  "[T1]\r\ncom=2\r\nID_STR=TR - A\r\n"
                  "[T2]\r\ncom=1\r\nID_STR=TR - B\r\n"
                  "[TR - A]\r\nCPU_ID=2\r\nLCD_X=100\r\nLCD_Y=60\r\nALarmnum=1\r\n"
                  "[TR - B]\r\nCPU_ID=1\r\nLCD_X=100\r\nLCD_Y=60\r\nALarmnum=1\r\n");
        std::string ini = "[LinkProtocol]\r\nPLCID=5\r\nLinkName=Test\r\n";
        writeText(programDir / "Protocol120/comport1/P1.ini", ini);
        writeText(programDir / "Protocol120/comport2/P2.ini", ini);
        writeText(programDir / "Protocol/P1.ini", ini);
        writeFile(programDir / "Protocol120/comport1/P1_1.bin", driverA1);
        writeFile(programDir / "Protocol120/comport2/P2_2.bin", driverA2);
        writeFile(programDir / "Protocol120/comport_B/P1_1.bin", driverB1);
        writeFile(programDir / "Protocol120/comport_B/P2_2.bin", driverB2);
        oneportDriver[4096] = 'X';
        writeFile(programDir / "Protocol/P1.bin", oneportDriver);
        Bytes asc(4096);
        for (size_t i = 0; i < asc.size(); ++i) {
            asc[i] = static_cast<uint8_t>(i / 16);
        }
        writeFile(programDir / "asc16", asc);
        fs::create_directories(programDir / "lampdata");
        fs::create_directories(store);
    }
    void TearDown() override { fs::remove_all(root); }

    // A project of the model: a start screen with a text.
    fs::path project(int cpuId, const std::string& text = "Pump 7 RUN") {
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
        s->entries[1].number = 1;
        s->entries[1].setName("Start");
        TextStringRecord& r = s->screens[1].textStrings[s->entries[1].textCount++];
        r = TextStringRecord{};
        r.kind = kKindTextString;
        r.x = 60;
        r.y = 40;
        s->screens[1].textPool = text;
        r.textOffset = 0;
        r.textLength = static_cast<uint8_t>(text.size());
        s->entries[1].setPoolLength(text.size());
        fs::path path = root / (cpuId == 2 ? "two.trn" : "one.trn");
        TrnWriter::Result w = TrnWriter::save(*s, path.string());
        EXPECT_TRUE(w.ok) << w.detail;
        return path;
    }

    // The image the command line builds for a project, built here the same way.
    Bytes expectedImage(const fs::path& trn, const std::string& glyphFont = {}) {
        auto s = std::make_unique<ProjectStore>();
        EXPECT_TRUE(TrnReader::load(*s, trn.string()).ok);
        ProgramDirectory dir(programDir.string());
        ProjectSetup::afterLoad(*s, dir);
        EXPECT_TRUE(TrnWriter::prepare(*s).ok);
        BuildOptions options;
        options.glyphFontPath = glyphFont;
        BuildResult b = ImageBuilder::build(*s, dir, options);
        EXPECT_EQ(b.outcome, BuildResult::Outcome::Complete) << b.detail;
        return b.image;
    }

    std::unique_ptr<Child> panel(std::vector<std::string> options) {
        std::vector<std::string> argv = {kBin + "/dispcraft-panel", "--store", store.string(),
                                         "--once", "--idle-ms", "300", "--quiet"};
        argv.insert(argv.end(), options.begin(), options.end());
        auto c = std::make_unique<Child>(argv);
        m_port = c->firstLine();
        EXPECT_EQ(m_port.rfind("/dev/", 0), 0u) << c->err();
        return c;
    }

    // Runs the download; returns the exit status.
    int download(const fs::path& trn, std::vector<std::string> options = {}) {
        std::vector<std::string> argv = {kBin + "/dispcraft-cli", "--program-dir",
                                         programDir.string(), "download", trn.string(), "--port",
                                         m_port};
        argv.insert(argv.end(), options.begin(), options.end());
        Child cli(argv);
        int status = cli.wait(std::chrono::seconds(90));
        m_cliErr = cli.err();
        return status;
    }

    Bytes stored(const std::string& name) { return readFile(store / name); }

    // The start screen dispcraft-panel --show drew: 192 x 64, only black and white, its text lit.
    void expectShown(const Child& p, const fs::path& dir) {
        EXPECT_NE(p.out().find((dir / "lcd.png").string() + ": start screen 1, 1 screens"), std::string::npos)
            << p.out() << p.err();
        auto png = PngFile::read((dir / "lcd.png").string());
        ASSERT_TRUE(png);
        ASSERT_EQ(png->width(), 192);
        ASSERT_EQ(png->height(), 64);
        int black = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 192; ++x) {
                black += png->pixel(x, y) == Rgb{0, 0, 0} ? 1 : 0;
            }
        }
        EXPECT_GT(black, 10);
        EXPECT_EQ(png->pixel(191, 63), (Rgb{255, 255, 255}));
    }

    std::string m_port;
    std::string m_cliErr;
};

} // namespace

TEST_F(Download, TwoPortProjectTypeAWithClock) {
    fs::path trn = project(2);
    auto p = panel({"--show", (root / "shown").string()});
    ASSERT_EQ(download(trn, {"--clock"}), 0) << m_cliErr;
    ASSERT_EQ(p->wait(std::chrono::seconds(10)), 0);
    // Drivers without their headers, each file padded with zeros to whole packets.
    EXPECT_EQ(stored("com1_driver.bin"), padded(Bytes(driverA1.begin() + 17, driverA1.end()), 128));
    EXPECT_EQ(stored("com2_driver.bin"), padded(Bytes(driverA2.begin() + 17, driverA2.end()), 128));
    EXPECT_EQ(stored("image.qel"), padded(expectedImage(trn), 128));
    EXPECT_NE(p->out().find("generation 2 type A, project"), std::string::npos) << p->out();
    EXPECT_NE(p->out().find("1 screens"), std::string::npos) << p->out();
    EXPECT_NE(p->out().find("clock: "), std::string::npos) << p->out();
    EXPECT_NE(m_cliErr.find(says(61471)), std::string::npos) << m_cliErr;
    EXPECT_TRUE(fs::exists(store / "summary.txt"));
    expectShown(*p, root / "shown");
}

TEST_F(Download, TakesTheGlyphFontTheBuildTakes) {
    fs::path trn = project(2, "\xD2\xBB 7"); // 一 7
    const std::string block = (root / "block.hex").string();
    writeText(root / "block.hex", "4E00:" + std::string(64, 'F') + "\n");
    ASSERT_NE(expectedImage(trn, block), expectedImage(trn));
    auto p = panel({});
    // A named font that cannot be opened stops before anything is sent.
    EXPECT_EQ(download(trn, {"--glyph-font", (root / "none.ttf").string()}), 1);
    EXPECT_NE(m_cliErr.find("none.ttf"), std::string::npos) << m_cliErr;
    ASSERT_EQ(download(trn, {"--glyph-font", block}), 0) << m_cliErr;
    ASSERT_EQ(p->wait(std::chrono::seconds(10)), 0);
    EXPECT_EQ(stored("image.qel"), padded(expectedImage(trn, block), 128));
}

TEST_F(Download, TwoPortProjectTypeB) {
    fs::path trn = project(2);
    auto p = panel({"--type-b"});
    ASSERT_EQ(download(trn), 0) << m_cliErr;
    ASSERT_EQ(p->wait(std::chrono::seconds(10)), 0);
    EXPECT_EQ(stored("com1_driver.bin"), padded(Bytes(driverB1.begin() + 17, driverB1.end()), 128));
    // A driver of only its header still goes out as one packet of zeros.
    EXPECT_EQ(stored("com2_driver.bin"), Bytes(128, 0));
    EXPECT_EQ(stored("image.qel"), padded(expectedImage(trn), 128));
}

TEST_F(Download, OnePortProjectOfGeneration1) {
    fs::path trn = project(1);
    auto p = panel({"--show", (root / "shown").string()});
    ASSERT_EQ(download(trn), 0) << m_cliErr;
    ASSERT_EQ(p->wait(std::chrono::seconds(10)), 0);
    Bytes image = expectedImage(trn);
    // The image starts with the first 4096 bytes of the link driver.
    ASSERT_GT(image.size(), 4096u);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 4096),
              Bytes(oneportDriver.begin(), oneportDriver.begin() + 4096));
    // Whole blocks of 32 and one block of zeros that ends the transfer.
    EXPECT_EQ(stored("image.qel"), padded(image, 32, 32));
    EXPECT_NE(p->out().find("generation 1, project"), std::string::npos) << p->out();
    EXPECT_NE(p->out().find("1 screens"), std::string::npos) << p->out();
    expectShown(*p, root / "shown");
}

TEST_F(Download, SystemProgramOfGeneration2) {
    {
        Bytes program = concat(header(2), pattern(700, 9));
        writeFile(root / "system2.bin", program);
        auto p = panel({});
        ASSERT_EQ(download(project(2), {"--system-program", (root / "system2.bin").string()}), 0)
            << m_cliErr;
        ASSERT_EQ(p->wait(std::chrono::seconds(15)), 0);
        EXPECT_EQ(stored("system.bin"), padded(Bytes(program.begin() + 17, program.end()), 128));
        EXPECT_FALSE(fs::exists(store / "image.qel"));
    }
}

TEST_F(Download, SystemProgramOfGeneration1) {
    {
        Bytes program = pattern(30000, 5);
        std::memcpy(program.data() + 24576, "QEL 1.0 .. 02", 13);
        writeFile(root / "system1.bin", program);
        auto p = panel({});
        ASSERT_EQ(download(project(1), {"--system-program", (root / "system1.bin").string()}), 0)
            << m_cliErr;
        ASSERT_EQ(p->wait(std::chrono::seconds(15)), 0);
        EXPECT_EQ(stored("system.bin"), Bytes(program.begin(), program.begin() + 24576));
    }
    {
        // Without the marker nothing is sent.
        writeFile(root / "nomark.bin", pattern(30000, 5));
        auto p = panel({});
        EXPECT_EQ(download(project(1), {"--system-program", (root / "nomark.bin").string()}), 1);
        EXPECT_NE(m_cliErr.find(says(61493)), std::string::npos) << m_cliErr;
        p->terminate();
        p->wait(std::chrono::seconds(5));
    }
}

TEST_F(Download, FaultsThatAreRepaired) {
    fs::path trn = project(2);
    auto p = panel({"--no-answer", "2", "--refuse", "2:3", "--corrupt", "4", "--corrupt-reply",
                    "5", "--garbage", "2", "--refuse-clock", "2"});
    ASSERT_EQ(download(trn, {"--clock"}), 0) << m_cliErr;
    ASSERT_EQ(p->wait(std::chrono::seconds(10)), 0);
    EXPECT_EQ(stored("image.qel"), padded(expectedImage(trn), 128));
    EXPECT_EQ(stored("com1_driver.bin"), padded(Bytes(driverA1.begin() + 17, driverA1.end()), 128));
    EXPECT_NE(m_cliErr.find(says(61460)), std::string::npos) << m_cliErr;
}

TEST_F(Download, FailuresAreReportedAsFailures) {
    fs::path two = project(2);
    struct Case {
        std::vector<std::string> panel;
        std::vector<std::string> cli;
        int says;
    };
    const Case cases[] = {
        {{"--garbage", "3"}, {}, 63002},
        {{"--refuse", "1:5"}, {}, 65405},
        {{"--refuse-clock", "3"}, {"--clock"}, 65400},
    };
    for (const Case& c : cases) {
        auto p = panel(c.panel);
        EXPECT_EQ(download(two, c.cli), 1) << c.says << "\n" << m_cliErr;
        EXPECT_NE(m_cliErr.find(says(c.says)), std::string::npos) << m_cliErr;
        p->terminate();
        p->wait(std::chrono::seconds(5));
    }
    // A port that does not exist.
    m_port = (root / "no-such-tty").string();
    EXPECT_EQ(download(two), 1);
    EXPECT_NE(m_cliErr.find("no-such-tty"), std::string::npos) << m_cliErr;
}

// A running panel is listed as a virtual panel by what it announced; it withdraws that when it
// ends, and the announcement of a killed panel is cleared by the next listing.
TEST(PanelAnnouncement, ListedWhileRunningAndGoneAfter) {
    const fs::path runtime =
        fs::temp_directory_path() / ("dispcraft-runtime-" + std::to_string(::getpid()));
    fs::create_directories(runtime);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    const PanelAnnouncements announcements = PanelAnnouncements::forUser();
    EXPECT_EQ(announcements.directory(), (runtime / "dispcraft/panels").string());
    auto panels = [&] {
        std::vector<std::string> found;
        for (const SerialDevice& d : SerialDeviceList::list("/nonexistent", "/nonexistent", "",
                                                            announcements.directory())) {
            EXPECT_EQ(d.kind, SerialDevice::Kind::VirtualPanel);
            found.push_back(d.path);
        }
        return found;
    };
    auto waitFor = [&](size_t n) {
        for (int i = 0; i < 100 && panels().size() != n; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return panels();
    };

    Child kept({kBin + "/dispcraft-panel", "--store", (runtime / "kept").string(), "--quiet"});
    Child killed({kBin + "/dispcraft-panel", "--store", (runtime / "killed").string(), "--quiet"});
    const std::string keptPort = kept.firstLine(), killedPort = killed.firstLine();
    std::vector<std::string> listed = waitFor(2);
    EXPECT_NE(std::find(listed.begin(), listed.end(), keptPort), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), killedPort), listed.end());

    // Killed: it could not withdraw; the listing drops the stale file.
    killed.kill();
    EXPECT_GE(killed.wait(std::chrono::seconds(5)), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(announcements.directory()), {}), 2);
    EXPECT_EQ(waitFor(1), std::vector<std::string>{keptPort});
    EXPECT_EQ(std::distance(fs::directory_iterator(announcements.directory()), {}), 1);
    // Ended by a signal: it withdraws its announcement itself.
    kept.terminate();
    EXPECT_EQ(kept.wait(std::chrono::seconds(5)), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(announcements.directory()), {}), 0);
    ::unsetenv("XDG_RUNTIME_DIR");
    fs::remove_all(runtime);
}
