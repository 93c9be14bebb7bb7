#include "cli/CliProject.h"
#include "cli/Commands.h"

#include "config/PanelModelFile.h"
#include "model/TrnWriter.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <vector>

namespace dispcraft::cli {

namespace {

struct NewArguments {
    std::string out;
    int model = 0;
    std::string com1;
    std::string com2;
};

// A new project as the new-project command makes it, for the N-th model of the model list and
// the named protocols, with the protocol files' serial settings and no screens.
int runNew(const CliContext& ctx, const NewArguments& args) {
    ProgramDirectory dir = programDirectory(ctx);
    PanelModelFile models(dir.modelFile());
    if (args.model <= static_cast<int>(models.modelNames().size()) && !args.com2.empty() &&
        !models.type(args.model).twoPort) {
        std::fprintf(
            stderr,
            "dispcraft-cli new: --com2 is given, but this panel model has one serial port\n");
        return kExitFailed;
    }
    NewProjectChoice choice;
    std::vector<Message> warnings;
    if (auto error =
            ProjectSetup::defaultChoice(dir, args.model, args.com1, args.com2, choice, &warnings)) {
        printError("new", "", *error);
        return kExitFailed;
    }
    for (const Message& w : warnings) {
        std::fprintf(stderr, "dispcraft-cli new: warning: %s\n", messageLine(w).c_str());
    }
    auto store = std::make_unique<ProjectStore>();
    ProjectSetup::newProject(*store, dir, choice);
    TrnWriter::Result r = TrnWriter::save(*store, args.out);
    if (!r.ok) {
        printError("new", args.out, r.message, r.detail);
        return kExitFailed;
    }
    return kExitDone;
}

} // namespace

CommandRunner addNew(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<NewArguments>();
    const CLI::Validator named(
        [](std::string& s) { return s.empty() ? std::string("a name is needed") : std::string(); },
        "");
    CLI::App* made = app.add_subcommand(
        "new", "Makes a project without screens for a panel model and its protocols");
    made->add_option("OUT.trn", args->out, "The project file to write")->required()->type_name("");
    made->add_option("--model", args->model, "The panel model: its place in the model list, from 1")
        ->required()
        ->check(CLI::Range(1, 9999).description(""))
        ->type_name("N");
    made->add_option("--com1", args->com1, "COM1's protocol, as its protocol file is named")
        ->required()
        ->check(named)
        ->type_name("NAME");
    made->add_option("--com2", args->com2,
                     "COM2's protocol (two-port models; their preset\nwhen not given)")
        ->check(named)
        ->type_name("NAME");
    made->footer("Serial settings come from the protocol files.\nExit status: 0 written; 1 nothing "
                 "written (the reason on stderr); 2 wrong arguments.");
    return [args, &ctx] { return runNew(ctx, *args); };
}

} // namespace dispcraft::cli
