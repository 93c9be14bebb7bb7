#include "cli/Commands.h"

#include "image/ImageBuilder.h"
#include "image/LinkFiles.h"
#include "comm/DownloadSession.h"
#include "comm/EventLoop.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"
#include "base/ScratchDirectory.h"
#include "config/ProjectSetup.h"
#include "document/ProjectDocument.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "platform/SerialPort.h"
#include "text/LanguageStrings.h"
#include "base/MessageSink.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
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

struct DownloadArguments {
    std::string project;
    std::string port;
    std::string systemProgram;
    std::string prebuilt;
    std::string glyphFont;
    bool clock = false;
};

int runDownload(const CliContext& ctx, const DownloadArguments& args) {
    const std::string& project = args.project;
    const std::string& port = args.port;
    const std::string& systemProgram = args.systemProgram;
    const std::string& prebuilt = args.prebuilt;
    const bool clock = args.clock;
    ProgramDirectory dir = ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded = ProjectDocument::readFile(*store, project, dir);
    if (!loaded.ok) {
        std::fprintf(stderr, "dispcraft-cli: %s: %s%s%s\n", project.c_str(),
                     plain(loaded.message).c_str(), loaded.detail.empty() ? "" : ": ",
                     loaded.detail.c_str());
        return 1;
    }

    // The built image lives only as long as the command.
    std::optional<ScratchDirectory> scratch;
    std::string imagePath = prebuilt;
    if (systemProgram.empty() && prebuilt.empty()) {
        TrnWriter::Result prepared = TrnWriter::prepare(*store);
        if (!prepared.ok) {
            std::fprintf(stderr, "dispcraft-cli: %s\n", plain(prepared.message).c_str());
            return 1;
        }
        BuildOptions options;
        options.glyphFontPath = args.glyphFont;
        BuildResult built = ImageBuilder::build(*store, dir, options);
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
        scratch.emplace("dispcraft-download");
        if (!scratch->ok()) {
            std::fprintf(stderr, "dispcraft-cli: temporary image: %s\n", scratch->error().c_str());
            return 1;
        }
        imagePath = scratch->file("qelsoft.qel");
        std::string detail;
        if (std::optional<Message> failed = ImageBuilder::write(built, imagePath, &detail)) {
            std::fprintf(stderr, "dispcraft-cli: %s%s%s\n", plain(*failed).c_str(),
                         detail.empty() ? "" : ": ", detail.c_str());
            return 1;
        }
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

} // namespace

CommandRunner addDownload(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<DownloadArguments>();
    CLI::App* download = app.add_subcommand(
        "download", "Builds a project and sends its image to the panel on a serial line");
    download->add_option("IN.trn", args->project, "The project")->required()->type_name("");
    download->add_option("--port", args->port, "A serial device or a pseudo-terminal")
        ->required()
        ->type_name("DEVICE");
    download->add_flag("--clock", args->clock,
                       "Sets the panel's clock afterwards (two-port panels)");
    CLI::Option* system =
        download->add_option("--system-program", args->systemProgram,
                             "Sends this panel system program instead of the image");
    system->type_name("FILE");
    download->add_option("--image", args->prebuilt, "Sends this prebuilt image instead of building")
        ->type_name("FILE.qel")
        ->excludes(system);
    addGlyphFontOption(*download, args->glyphFont);
    download->footer("The link drivers of the project's protocols go first. Ctrl+C stops at the "
                     "next reply, as the Stop\nbutton does. Exit status: 0 sent; 1 not sent or "
                     "not whole (the reason on stderr); 2 wrong\narguments.");
    return [args, &ctx] { return runDownload(ctx, *args); };
}

} // namespace dispcraft::cli
