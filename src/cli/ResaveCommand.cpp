#include "cli/CliProject.h"
#include "cli/Commands.h"

#include "model/TrnWriter.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace dispcraft::cli {

namespace {

struct ResaveArguments {
    std::string in;
    std::string out;
};

// Opens a project as the open command does (every upgrade of older formats) and saves it in the
// current format. OUT is replaced only by a complete file. Exit status 0; 3 when IN ends early
// (OUT holds what IN had, the missing parts empty, as saving after opening it would write);
// 1 when nothing was written.
int runResave(const CliContext& ctx, const ResaveArguments& args) {
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded;
    if (!openProject("resave", ctx, args.in, *store, &loaded)) {
        return kExitFailed;
    }
    TrnWriter::Result r = TrnWriter::save(*store, args.out);
    if (!r.ok) {
        printError("resave", args.out, r.message, r.detail);
        return kExitFailed;
    }
    return loaded.endsEarly ? kEndsEarlyStatus : kExitDone;
}

} // namespace

CommandRunner addResave(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<ResaveArguments>();
    CLI::App* resave = app.add_subcommand(
        "resave", "Opens a project, older formats included, and saves it in the current format");
    resave->add_option("IN.trn", args->in, "The project to read")->required()->type_name("");
    resave->add_option("OUT.trn", args->out, "The file to write; replaced only by a complete file")
        ->required()
        ->type_name("");
    resave->footer("Exit status: 0 saved; 3 saved, but IN ends early (its missing parts left "
                   "empty); 1 nothing written;\n2 wrong arguments.");
    return [args, &ctx] { return runResave(ctx, *args); };
}

} // namespace dispcraft::cli
