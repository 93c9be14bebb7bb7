// dispcraft-panel: a virtual operator panel on a pseudo-terminal (or a given tty) that answers
// both download generations as a panel would and keeps what it receives.

#include "base/ProgramDirectory.h"
#include "comm/VirtualPanel.h"
#include "base/FileIo.h"
#include "sim/ImageReader.h"
#include "sim/LcdSnapshot.h"
#include "sim/Simulation.h"
#include "text/LanguageStrings.h"
#include "platform/PanelAnnouncements.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace dispcraft;
using Steady = std::chrono::steady_clock;

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

struct Options {
    std::string device;
    std::string store = "panel-store";
    PanelFaults faults;
    bool pace = false;
    int paceBaud = 0; // 0 = the rate the PC set on the line
    bool once = false;
    int idleMs = 1000;
    bool quiet = false;
    std::string show; // where lcd.png goes after each transfer; empty = nowhere
};

void usage(FILE* out) {
    std::fputs(
        "usage: dispcraft-panel [options]\n"
        "  Opens a pseudo-terminal and prints the path of its far end (the port to download\n"
        "  to) on the first line, or uses --device. Answers both download generations and\n"
        "  keeps what it receives in the store directory, with a summary. While it runs,\n"
        "  Dispcraft's download dialog lists it as a virtual panel.\n"
        "options:\n"
        "  --device TTY         use this tty instead of a pseudo-terminal\n"
        "  --store DIR          where received files go (default panel-store)\n"
        "  --generation 1|2     answer only this generation\n"
        "  --type-b             answer the generation-2 handshake as a type-B panel\n"
        "  --no-answer N        give no answer to the first N handshakes\n"
        "  --garbage K          the first K data replies do not start with ESC\n"
        "  --refuse P[:R]       refuse data packet P (0 = first) R times (default 1)\n"
        "  --corrupt P          data packet P arrives with a garbled byte\n"
        "  --corrupt-reply P    the reply to data packet P is garbled\n"
        "  --refuse-clock N     refuse the clock packet N times\n"
        "  --pace[=BAUD]        deliver bytes no faster than the line rate (default: the rate\n"
        "                       the PC set); a pseudo-terminal does not pace by itself\n"
        "  --once               exit after the first transfer\n"
        "  --idle-ms MS         a generation-2 transfer is over after this quiet time (1000)\n"
        "  --quiet              print only the port and the summary\n"
        "  --show DIR           after each transfer of a project, write DIR/lcd.png: the start\n"
        "                       screen as the panel simulator draws it (192 x 64, one pixel per\n"
        "                       dot, lit dots black), and print the screen count\n",
        out);
}

bool parseInt(const char* s, int* out) {
    char* end = nullptr;
    long v = std::strtol(s, &end, 10);
    if (!end || *end || end == s || v < 0 || v > 100000000) {
        return false;
    }
    *out = static_cast<int>(v);
    return true;
}

int parseArgs(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](int* out) {
            if (i + 1 >= argc || !parseInt(argv[i + 1], out)) {
                std::fprintf(stderr, "dispcraft-panel: %s needs a number\n", a.c_str());
                return false;
            }
            ++i;
            return true;
        };
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else if (a == "--device" && i + 1 < argc) {
            o->device = argv[++i];
        } else if (a == "--store" && i + 1 < argc) {
            o->store = argv[++i];
        } else if (a == "--generation") {
            if (!value(&o->faults.generation) || o->faults.generation < 1 ||
                o->faults.generation > 2) {
                std::fprintf(stderr, "dispcraft-panel: --generation is 1 or 2\n");
                return 2;
            }
        } else if (a == "--type-b") {
            o->faults.typeB = true;
        } else if (a == "--no-answer") {
            if (!value(&o->faults.silentHandshakes)) return 2;
        } else if (a == "--garbage") {
            if (!value(&o->faults.garbageReplies)) return 2;
        } else if (a == "--refuse" && i + 1 < argc) {
            std::string v = argv[++i];
            size_t colon = v.find(':');
            int p = 0, r = 1;
            if (!parseInt(v.substr(0, colon).c_str(), &p) ||
                (colon != std::string::npos && !parseInt(v.substr(colon + 1).c_str(), &r))) {
                std::fprintf(stderr, "dispcraft-panel: --refuse takes P or P:R\n");
                return 2;
            }
            o->faults.refusePacket = p;
            o->faults.refuseTimes = r;
        } else if (a == "--corrupt") {
            if (!value(&o->faults.corruptPacket)) return 2;
        } else if (a == "--corrupt-reply") {
            if (!value(&o->faults.corruptReply)) return 2;
        } else if (a == "--refuse-clock") {
            if (!value(&o->faults.refuseClock)) return 2;
        } else if (a == "--pace") {
            o->pace = true;
        } else if (a.rfind("--pace=", 0) == 0) {
            o->pace = true;
            if (!parseInt(a.c_str() + 7, &o->paceBaud) || o->paceBaud == 0) {
                std::fprintf(stderr, "dispcraft-panel: --pace=BAUD needs a rate\n");
                return 2;
            }
        } else if (a == "--once") {
            o->once = true;
        } else if (a == "--idle-ms") {
            if (!value(&o->idleMs)) return 2;
        } else if (a == "--quiet") {
            o->quiet = true;
        } else if (a == "--show" && i + 1 < argc) {
            o->show = argv[++i];
        } else {
            std::fprintf(stderr, "dispcraft-panel: unknown option '%s'\n", a.c_str());
            usage(stderr);
            return 2;
        }
    }
    return -1;
}

int baudOf(speed_t s) {
    switch (s) {
    case B300: return 300;
    case B600: return 600;
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 0;
    }
}

// Bits on the wire per character and the rate, from the line settings the PC made.
void lineOf(int fd, int* baud, int* bits) {
    termios t;
    *baud = 0;
    *bits = 10;
    if (::tcgetattr(fd, &t) != 0) {
        return;
    }
    *baud = baudOf(cfgetospeed(&t));
    int data = (t.c_cflag & CSIZE) == CS5 ? 5 : (t.c_cflag & CSIZE) == CS6 ? 6
               : (t.c_cflag & CSIZE) == CS7 ? 7 : 8;
    *bits = 1 + data + ((t.c_cflag & PARENB) ? 1 : 0) + ((t.c_cflag & CSTOPB) ? 2 : 1);
}

void makeRaw(int fd, bool setSpeed) {
    termios t;
    if (::tcgetattr(fd, &t) != 0) {
        return;
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (setSpeed) {
        ::cfsetispeed(&t, B19200);
        ::cfsetospeed(&t, B19200);
    }
    ::tcsetattr(fd, TCSANOW, &t);
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else {
            return false;
        }
    }
    return true;
}

// The start screen of the image just received, drawn by the panel simulator into dir/lcd.png.
void showStartScreen(const VirtualPanel& panel, const std::string& dir, const ProgramDirectory& programDir) {
    auto image = panel.files().find(VirtualPanel::FileKind::Image);
    if (panel.systemProgram() || image == panel.files().end()) {
        return;
    }
    // Generation 1 serves one-port panels, whose image begins with the COM1 link driver.
    const ImageReader::Result read = ImageReader::read(
        image->second, panel.generation() == 1 ? ImageReader::Layout::DriverInFront : ImageReader::Layout::HeaderFirst);
    if (!read.ok()) {
        std::fprintf(stderr, "dispcraft-panel: %s\n", LanguageStrings::builtin().format(read.error).c_str());
        return;
    }
    Simulation sim(read.image, Simulation::numberFont(programDir));
    ::mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/lcd.png";
    std::string why;
    if (!LcdSnapshot::writePng(sim.panel().render(), path, &why)) {
        std::fprintf(stderr, "dispcraft-panel: cannot write %s: %s\n", path.c_str(), why.c_str());
        return;
    }
    std::printf("%s: start screen %d, %zu screens\n", path.c_str(), sim.panel().currentScreen(),
                read.image->screens.size());
    std::fflush(stdout);
}

class Store {
public:
    explicit Store(std::string dir) : m_dir(std::move(dir)) {}
    bool prepare() {
        ::mkdir(m_dir.c_str(), 0755);
        struct stat st;
        return ::stat(m_dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    void clear() {
        for (auto kind : {VirtualPanel::FileKind::Image, VirtualPanel::FileKind::SystemProgram,
                          VirtualPanel::FileKind::Com1Driver, VirtualPanel::FileKind::Com2Driver}) {
            ::unlink(path(VirtualPanel::fileName(kind)).c_str());
        }
        ::unlink(path("summary.txt").c_str());
    }
    void put(VirtualPanel::FileKind kind, size_t offset, const std::vector<uint8_t>& data) {
        int fd = ::open(path(VirtualPanel::fileName(kind)).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC,
                        0644);
        if (fd < 0 || ::pwrite(fd, data.data(), data.size(), static_cast<off_t>(offset)) !=
                          static_cast<ssize_t>(data.size())) {
            std::fprintf(stderr, "dispcraft-panel: cannot write to %s: %s\n", m_dir.c_str(),
                         std::strerror(errno));
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }
    void summary(const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) {
            text += l + "\n";
        }
        FileIo::writeAtomic(path("summary.txt"), text);
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
    }

private:
    std::string path(const char* name) const { return m_dir + "/" + name; }
    std::string m_dir;
};

} // namespace

int main(int argc, char** argv) {
    Options opt;
    int parsed = parseArgs(argc, argv, &opt);
    if (parsed >= 0) {
        return parsed;
    }
    Store store(opt.store);
    if (!store.prepare()) {
        std::fprintf(stderr, "dispcraft-panel: cannot use the store directory %s\n",
                     opt.store.c_str());
        return 1;
    }

    int fd = -1;       // what the panel reads and writes
    int lineFd = -1;   // where the PC's line settings can be read
    int holdSlave = -1;
    std::string announced; // the file that lists this panel in the port lists
    if (opt.device.empty()) {
        fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd < 0 || ::grantpt(fd) != 0 || ::unlockpt(fd) != 0) {
            std::fprintf(stderr, "dispcraft-panel: no pseudo-terminal: %s\n", std::strerror(errno));
            return 1;
        }
        const char* name = ::ptsname(fd);
        // Holding the far end open keeps the line up between downloads, and a raw line does not
        // echo our answers back to us.
        holdSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (holdSlave < 0) {
            std::fprintf(stderr, "dispcraft-panel: %s: %s\n", name, std::strerror(errno));
            return 1;
        }
        makeRaw(holdSlave, true);
        lineFd = holdSlave;
        std::printf("%s\n", name);
        announced = PanelAnnouncements::forUser().announce(name);
    } else {
        fd = ::open(opt.device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            std::fprintf(stderr, "dispcraft-panel: %s: %s\n", opt.device.c_str(),
                         std::strerror(errno));
            return 1;
        }
        makeRaw(fd, true);
        lineFd = fd;
        std::printf("%s\n", opt.device.c_str());
    }
    std::fflush(stdout);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);

    struct sigaction sa{};
    sa.sa_handler = onSignal;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    ::signal(SIGPIPE, SIG_IGN);

    const ProgramDirectory programDir = ProgramDirectory::locate("", argv[0]);
    auto report = [&](VirtualPanel& p) {
        store.summary(p.summary());
        if (!opt.show.empty()) {
            showStartScreen(p, opt.show, programDir);
        }
    };

    VirtualPanel panel(opt.faults);
    panel.setStartListener([&] {
        store.clear();
        if (!opt.quiet) {
            std::fprintf(stderr, "dispcraft-panel: handshake, transfer started\n");
        }
    });
    panel.setStoreListener([&](VirtualPanel::FileKind k, size_t off, const std::vector<uint8_t>& d) {
        store.put(k, off, d);
    });

    Steady::time_point wireIn{}, wireOut{};
    Steady::time_point lastByte = Steady::now();
    bool reported = true; // nothing to report before the first transfer
    int exitCode = 0;
    std::vector<uint8_t> buf(4096);
    while (!g_stop) {
        pollfd p{fd, POLLIN, 0};
        int pr = ::poll(&p, 1, 50);
        Steady::time_point now = Steady::now();
        if (pr < 0 && errno != EINTR) {
            std::fprintf(stderr, "dispcraft-panel: %s\n", std::strerror(errno));
            exitCode = 1;
            break;
        }
        if (pr > 0 && (p.revents & POLLIN)) {
            ssize_t n = ::read(fd, buf.data(), buf.size());
            if (n > 0) {
                lastByte = now;
                int baud = opt.paceBaud, bits = 10;
                if (opt.pace) {
                    int lineBaud;
                    lineOf(lineFd, &lineBaud, &bits);
                    if (!baud) {
                        baud = lineBaud;
                    }
                }
                auto charTime = std::chrono::nanoseconds(baud ? 1000000000LL * bits / baud : 0);
                if (opt.pace && baud) {
                    // The bytes arrive one character time after another.
                    wireIn = std::max(wireIn, now) + charTime * n;
                    std::this_thread::sleep_until(wireIn);
                }
                int before = panel.handshakes();
                std::vector<uint8_t> reply = panel.receive(buf.data(), static_cast<size_t>(n));
                if (panel.handshakes() != before && panel.handshaken()) {
                    reported = false;
                }
                if (!reply.empty()) {
                    if (opt.pace && baud) {
                        wireOut = std::max(wireOut, Steady::now()) +
                                  charTime * static_cast<long>(reply.size());
                        std::this_thread::sleep_until(wireOut);
                    }
                    if (!writeAll(fd, reply)) {
                        std::fprintf(stderr, "dispcraft-panel: write: %s\n", std::strerror(errno));
                    }
                }
                if (panel.ended() && !reported) {
                    report(panel);
                    reported = true;
                    if (opt.once) {
                        break;
                    }
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
        }
        if (pr > 0 && (p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN)) {
            // A given tty that went away; a pseudo-terminal stays up (we hold its far end).
            if (!opt.device.empty()) {
                std::fprintf(stderr, "dispcraft-panel: the line is gone\n");
                exitCode = 1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        auto quiet = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastByte);
        if (quiet.count() >= 1000 && panel.partial()) {
            panel.dropPartial(); // a packet that stopped half-way
        }
        // Generation 2 has no end request: the transfer is over when the line stays quiet.
        if (!reported && panel.generation() == 2 && panel.dataPackets() > 0 &&
            quiet.count() >= opt.idleMs) {
            report(panel);
            reported = true;
            if (opt.once) {
                break;
            }
        }
    }
    if (!reported) {
        report(panel);
    }
    PanelAnnouncements::withdraw(announced);
    if (holdSlave >= 0) {
        ::close(holdSlave);
    }
    ::close(fd);
    return exitCode;
}
