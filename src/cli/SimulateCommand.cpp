#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "base/FileIo.h"
#include "base/ProgramDirectory.h"
#include "document/ProjectDocument.h"
#include "model/TrnReader.h"
#include "sim/SimScript.h"
#include "sim/Simulation.h"
#include "text/LanguageStrings.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

// "dispcraft-cli simulate: WHERE: text [number] (detail)" on stderr.
void report(const std::string& where, const Message& m, const std::string& detail = {}) {
    std::string text = m.id == 0 && m.args.empty() ? m.literal : LanguageStrings::builtin().format(m);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    std::fprintf(stderr, "dispcraft-cli simulate: %s%s", where.empty() ? "" : (where + ": ").c_str(), text.c_str());
    if (m.id != 0) {
        std::fprintf(stderr, " [%d]", m.id);
    }
    if (!detail.empty()) {
        std::fprintf(stderr, " (%s)", detail.c_str());
    }
    std::fputc('\n', stderr);
}

struct SimulateArguments {
    std::string in;
    std::string script;
    std::string out;
    BuildOptions options;
};

int runSimulate(const CliContext& ctx, const SimulateArguments& args) {
    const std::optional<std::vector<uint8_t>> scriptBytes = FileIo::readBytes(args.script);
    if (!scriptBytes) {
        report(args.script, Message::text("the script cannot be read"));
        return kExitFailed;
    }
    const ProgramDirectory dir = ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
    auto store = std::make_unique<ProjectStore>();
    const TrnReader::Result loaded = ProjectDocument::readFile(*store, args.in, dir);
    if (!loaded.ok) {
        report(args.in, loaded.message, loaded.detail);
        return kExitFailed;
    }

    // Built as the build command builds it; the project file stays as it is.
    Simulation::Started started = Simulation::start(*store, dir, args.options);
    for (const Message& w : started.build.warnings) {
        report("warning", w);
    }
    if (!started.simulation) {
        report(args.in, started.failure.value_or(Message{}), started.build.detail);
        return kExitFailed;
    }
    if (started.build.outcome == BuildResult::Outcome::StartScreenMissing) {
        report("warning", started.build.startScreenMessage);
    }
    Simulation& sim = *started.simulation;

    const std::string text(scriptBytes->begin(), scriptBytes->end());
    const SimScript::Parsed parsed = SimScript::parse(text, sim.plc());
    if (parsed.error) {
        report(args.script + ":" + std::to_string(parsed.error->line), parsed.error->reason);
        return kExitFailed;
    }
    std::error_code ec;
    std::filesystem::create_directories(args.out, ec);
    if (!std::filesystem::is_directory(args.out)) {
        report(args.out, Message::text("the output directory cannot be made"), ec.message());
        return kExitFailed;
    }

    const SimScript::Outcome outcome = SimScript::run(parsed.commands, sim, args.out);
    for (const std::string& path : outcome.snapshots) {
        std::printf("%s\n", path.c_str());
    }
    for (const SimScript::Error& e : outcome.failedExpectations) {
        report(args.script + ":" + std::to_string(e.line), e.reason);
    }
    if (outcome.error) {
        report(args.script + ":" + std::to_string(outcome.error->line), outcome.error->reason);
        return kExitFailed;
    }
    return outcome.failedExpectations.empty() ? kExitDone : kExitExpectationFailed;
}

} // namespace

CommandRunner addSimulate(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<SimulateArguments>();
    CLI::App* simulate = app.add_subcommand(
        "simulate", "Builds a project and runs a script against it in the panel simulator");
    simulate->add_option("IN.trn", args->in, "The project; read, not rewritten")->required()->type_name("");
    simulate->add_option("--script", args->script, "The script, one command per line")
        ->required()
        ->type_name("FILE");
    simulate->add_option("-o,--output", args->out, "Where the snapshots go (made when missing)")
        ->required()
        ->type_name("DIR");
    addGlyphFontOption(*simulate, args->options.glyphFontPath);
    simulate->footer(
        "Script commands ('#' starts a comment):\n"
        "  set PORT AREA ADDRESS VALUE        a word, e.g. set COM1 D 0100 1234\n"
        "  set PORT AREA ADDRESS.BIT VALUE    a bit (0 or 1), e.g. set COM2 M 0005.3 1\n"
        "  key F1..F4 | key K1..K25           a press and release\n"
        "  hold K1..K25 | release K1..K25     a panel key held down and let go\n"
        "  wait MS                            simulated milliseconds pass\n"
        "  snap NAME                          DIR/NAME.png: the LCD, 192 x 64, lit dots black\n"
        "  expect screen N\n"
        "  expect PORT AREA ADDRESS[.BIT] VALUE\n"
        "AREA is an area name of the port's protocol file, ADDRESS the address as the keypad\n"
        "writes it. docs/panel-behaviour.md says what the panel does with each field.\n"
        "Exit status: 0 every line ran and every expectation held; 4 an expectation failed (its\n"
        "line and what was found on stderr; the script goes on); 1 a script error (its line and\n"
        "why) or a build that stopped; 2 wrong arguments. Snapshots are written even when a\n"
        "later expectation fails.");
    return [args, &ctx] { return runSimulate(ctx, *args); };
}

} // namespace dispcraft::cli
