#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

using namespace dispcraft;

namespace {

constexpr const char* kExitStatuses =
    "Exit status: 0 done; 3 done with a warning: the project file ends early, its missing parts\n"
    "left empty (info, resave), or the image lacks its start screen (build); 1 failed, the\n"
    "reason on stderr and no output file replaced; 2 unknown command or option, or an argument\n"
    "missing or malformed (one line on stderr, nothing read or written); 4 an expectation of a\n"
    "simulator script failed (simulate).";

// The word the user meant as the command when it names none of them.
std::string firstWord(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--program-dir") {
            ++i;
        } else if (a.empty() || a[0] != '-') {
            return a;
        }
    }
    return {};
}

// Every mistake on the command line gets one line on stderr, in one form: the command, what is
// wrong, where its help is; and exit status 2.
int badArguments(const CLI::App& app, const CLI::ParseError& e, int argc, char** argv) {
    std::string command = "dispcraft-cli";
    std::string what = e.what();
    std::vector<CLI::App*> chosen = app.get_subcommands();
    if (!chosen.empty()) {
        command += " " + chosen.front()->get_name();
    } else if (e.get_name() == "RequiredError" && what == "A subcommand is required") {
        const std::string word = firstWord(argc, argv);
        const std::vector<std::string> unknown = app.remaining();
        if (!word.empty()) {
            what = "unknown command '" + word + "'";
        } else if (!unknown.empty()) {
            what = "unknown option '" + unknown.front() + "'";
        } else {
            what = "a command is needed";
        }
    }
    for (char& c : what) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::fprintf(stderr, "%s: %s; see '%s --help'\n", command.c_str(), what.c_str(),
                 command.c_str());
    return cli::kExitBadArguments;
}

} // namespace

int main(int argc, char** argv) {
    CliContext ctx;
    ctx.argv0 = argc > 0 ? argv[0] : "dispcraft-cli";

    CLI::App app("Works on Dispcraft projects without the window: makes, summarises and resaves\n"
                 "project files, builds and downloads their images, converts lamp pictures,\n"
                 "draws screens and runs projects in the panel simulator.",
                 "dispcraft-cli");
    app.get_formatter()->column_width(30);
    app.add_option("--program-dir", ctx.programDirOption,
                   "The program directory (panel models, protocol\n"
                   "files, link drivers, glyphs); by default the one\n"
                   "the programs use")
        ->type_name("DIR");
    app.require_subcommand(1);
    // The global option may also follow the command and its arguments.
    app.fallthrough();

    struct Command {
        const char* name;
        cli::CommandRunner run;
    };
    const std::vector<Command> commands = {
        {"new", cli::addNew(app, ctx)},           {"resave", cli::addResave(app, ctx)},
        {"info", cli::addInfo(app, ctx)},         {"build", cli::addBuild(app, ctx)},
        {"download", cli::addDownload(app, ctx)}, {"lamp", cli::addLamp(app, ctx)},
        {"render", cli::addRender(app, ctx)},     {"simulate", cli::addSimulate(app, ctx)},
        {"xref", cli::addXref(app, ctx)},         {"texts", cli::addTexts(app, ctx)},
        {"report", cli::addReport(app, ctx)},
    };
    app.footer(kExitStatuses);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e); // the help of the command named, on stdout
    } catch (const CLI::ParseError& e) {
        return badArguments(app, e, argc, argv);
    }
    const std::string chosen = app.get_subcommands().front()->get_name();
    for (const Command& c : commands) {
        if (chosen == c.name) {
            return c.run();
        }
    }
    return cli::kExitBadArguments;
}
