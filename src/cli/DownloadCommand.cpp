#include "cli/Commands.h"

#include "image/ImageBuilder.h"
#include "image/LinkFiles.h"
#include "comm/DownloadSession.h"
#include "comm/EventLoop.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "document/ProjectDocument.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "platform/SerialPort.h"
#include "text/LanguageStrings.h"
#include "base/MessageSink.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace dispcraft::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) { g_interrupted = 1; }

const LanguageStrings& strings() { return LanguageStrings::builtin(); }

// A text for the terminal: without the carriage returns of the log's line ends.
std::string plain(const Message& m) {
    std::string s = strings().format(m);
    std::string out;
    for (char c : s) {
        if (c != '\r') {
            out += c;
        }
    }
    while (!out.empty() && out.back() == '\n') {
        out.pop_back();
    }
    return out;
}

// Shows on stderr and answers every question with yes: the command line has asked already.
class StderrSink : public MessageSink {
public:
    void show(const Message& message, Icon) override {
        ++shown;
        std::fprintf(stderr, "dispcraft-cli: %s\n", plain(message).c_str());
    }
    Answer ask(const Message& message, Buttons buttons, int) override {
        if (buttons == Buttons::Ok) {
            show(message, Icon::None); // a message box with a caption
            return Answer::Ok;
        }
        std::fprintf(stderr, "dispcraft-cli: %s yes\n", plain(message).c_str());
        return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    }
    int shown = 0;
};

// Prints the log as it grows and a progress bar while the transfer runs.
class Progress {
public:
    explicit Progress(const DownloadSession& s) : m_session(s), m_tty(::isatty(2)) {}

    void update() {
        const auto& log = m_session.log();
        if (log.size() < m_printed) {
            m_printed = 0; // a new transfer started the log again
        }
        for (; m_printed < log.size(); ++m_printed) {
            clearBar();
            std::fprintf(stderr, "%s\n", plain(log[m_printed]).c_str());
        }
        int max = m_session.progressMax();
        int pct = max > 0 ? static_cast<int>(100LL * m_session.progressPosition() / max) : 0;
        if (m_session.transferring() && m_tty && pct != m_shownPct) {
            const int width = 40;
            std::string bar(static_cast<size_t>(width * pct / 100), '#');
            bar.resize(width, '.');
            std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), pct);
            m_bar = true;
            m_shownPct = pct;
        }
        if (!m_session.transferring()) {
            clearBar();
        }
        std::fflush(stderr);
    }

private:
    void clearBar() {
        if (m_bar) {
            std::fputs("\r\033[K", stderr);
            m_bar = false;
            m_shownPct = -1;
        }
    }
    const DownloadSession& m_session;
    bool m_tty;
    bool m_bar = false;
    int m_shownPct = -1;
    size_t m_printed = 0;
};

void usage() {
    std::fputs("usage: dispcraft-cli download IN.trn --port DEVICE [--clock]\n"
               "                                [--system-program FILE | --image FILE.qel]\n"
               "  Builds the project and sends its image with the link drivers of its protocols\n"
               "  to the panel on DEVICE (a serial device or a pseudo-terminal). --image sends a\n"
               "  prebuilt image instead of building; --system-program sends a panel system\n"
               "  program; --clock sets the panel's clock afterwards (two-port panels).\n",
               stderr);
}

// A temporary file for the built image, removed when the command ends.
struct TempImage {
    std::string path;
    ~TempImage() {
        if (!path.empty()) {
            std::remove(path.c_str());
        }
    }
};

} // namespace

int runDownload(const CliContext& ctx) {
    std::string project, port, systemProgram, prebuilt;
    bool clock = false;
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        bool hasValue = i + 1 < ctx.args.size();
        if (a == "--port" && hasValue) {
            port = ctx.args[++i];
        } else if (a == "--clock") {
            clock = true;
        } else if (a == "--system-program" && hasValue) {
            systemProgram = ctx.args[++i];
        } else if (a == "--image" && hasValue) {
            prebuilt = ctx.args[++i];
        } else if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else if (!a.empty() && a[0] != '-' && project.empty()) {
            project = a;
        } else {
            std::fprintf(stderr, "dispcraft-cli: download: unexpected argument '%s'\n", a.c_str());
            usage();
            return 2;
        }
    }
    if (project.empty() || port.empty() || (!systemProgram.empty() && !prebuilt.empty())) {
        usage();
        return 2;
    }

    ProgramDirectory dir = ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded = ProjectDocument::readFile(*store, project, dir);
    if (!loaded.ok) {
        std::fprintf(stderr, "dispcraft-cli: %s: %s%s%s\n", project.c_str(),
                     plain(loaded.message).c_str(), loaded.detail.empty() ? "" : ": ",
                     loaded.detail.c_str());
        return 1;
    }

    TempImage temp;
    std::string imagePath = prebuilt;
    if (systemProgram.empty() && prebuilt.empty()) {
        TrnWriter::Result prepared = TrnWriter::prepare(*store);
        if (!prepared.ok) {
            std::fprintf(stderr, "dispcraft-cli: %s\n", plain(prepared.message).c_str());
            return 1;
        }
        BuildResult built = ImageBuilder::build(*store, dir);
        for (const Message& w : built.warnings) {
            std::fprintf(stderr, "dispcraft-cli: %s\n", plain(w).c_str());
        }
        if (built.stopped()) {
            std::fprintf(stderr, "dispcraft-cli: %s%s%s\n", plain(built.failure).c_str(),
                         built.detail.empty() ? "" : ": ", built.detail.c_str());
            return 1;
        }
        if (built.outcome == BuildResult::Outcome::StartScreenMissing) {
            std::fprintf(stderr, "dispcraft-cli: %s\n", plain(built.startScreenMessage).c_str());
            return 1;
        }
        const char* tmpdir = std::getenv("TMPDIR");
        std::string pattern = std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") +
                              "/dispcraft-qelsoft-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        int fd = ::mkstemp(name.data());
        if (fd < 0) {
            std::perror("dispcraft-cli: temporary image");
            return 1;
        }
        ::close(fd);
        temp.path = name.data();
        std::string detail;
        if (std::optional<Message> failed = ImageBuilder::write(built, temp.path, &detail)) {
            std::fprintf(stderr, "dispcraft-cli: %s%s%s\n", plain(*failed).c_str(),
                         detail.empty() ? "" : ": ", detail.c_str());
            return 1;
        }
        imagePath = temp.path;
    }

    DownloadInputs inputs = DownloadInputs::forProject(
        dir.path(), store->cpuId, imagePath, store->modelTitle,
        linkfiles::protocolName(*store, 1), linkfiles::protocolName(*store, 2));
    store.reset();

    EventLoop loop;
    SystemClock systemClock(loop);
    StderrSink sink;
    DownloadSession session(inputs, std::make_unique<SerialPort>(port), systemClock, sink);
    session.setPortName(port); // messages name the device given, not a port number
    Progress progress(session);
    session.setReplyNotifier([&] { loop.post([&] { session.handleReplies(); }); });
    session.setChangeListener([&] { progress.update(); });
    session.setClockChecked(clock);
    if (clock && inputs.generation() != 2) {
        std::fprintf(stderr, "dispcraft-cli: --clock: this panel has no clock to set; ignored\n");
    }

    struct sigaction sa{};
    sa.sa_handler = onInterrupt;
    struct sigaction oldInt, oldTerm;
    ::sigaction(SIGINT, &sa, &oldInt);
    ::sigaction(SIGTERM, &sa, &oldTerm);

    if (systemProgram.empty()) {
        session.download();
    } else {
        session.downloadSystemProgram([&](const Message&) { return systemProgram; });
    }
    bool stopAsked = false;
    while (session.transferring()) {
        loop.runUntil([&] { return !session.transferring() || g_interrupted; },
                      std::chrono::milliseconds(200));
        if (g_interrupted && !stopAsked) {
            // Honoured at the next reply, as the Stop button is.
            session.stop();
            stopAsked = true;
        }
    }
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    progress.update();

    switch (session.outcome()) {
    case DownloadOutcome::Finished:
        return 0;
    case DownloadOutcome::None:
        std::fprintf(stderr, "dispcraft-cli: the download did not start (%s)\n", port.c_str());
        return 1;
    case DownloadOutcome::Cancelled:
        std::fprintf(stderr, "dispcraft-cli: the download was stopped\n");
        return 1;
    case DownloadOutcome::ClockNotSet:
        std::fprintf(stderr, "dispcraft-cli: the panel's clock was not set\n");
        return 1;
    default:
        std::fprintf(stderr, "dispcraft-cli: the download failed\n");
        return 1;
    }
}

} // namespace dispcraft::cli
