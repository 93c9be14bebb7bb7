#include "cli/CliProject.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "report/AddressXref.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

struct XrefArguments {
    std::string path;
    bool asJson = false;
};

// Every PLC address of a project with its uses. Exit status 0; 3 when the file ends early (its
// missing parts use nothing); 1 when it cannot be read.
int runXref(const CliContext& ctx, const XrefArguments& args) {
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result r;
    if (!openProject("xref", ctx, args.path, *store, &r)) {
        return kExitFailed;
    }
    const std::vector<AddressEntry> entries = AddressXref::build(*store);
    const std::string out =
        args.asJson ? AddressXref::json(entries) + "\n" : AddressXref::text(entries);
    std::fputs(out.c_str(), stdout);
    return r.endsEarly ? kEndsEarlyStatus : kExitDone;
}

} // namespace

CommandRunner addXref(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<XrefArguments>();
    CLI::App* xref = app.add_subcommand(
        "xref", "Lists every PLC address a project uses, with the screens and objects that use it");
    xref->add_option("IN.trn", args->path, "The project")->required()->type_name("");
    xref->add_flag("--json", args->asJson,
                   "The same as JSON: [{port, area, address, bit, uses: [{screen, kind, index,\n"
                   "access}]}]; screen 0 for keys every screen shares, alarm groups, data\n"
                   "exchange records and panel settings");
    xref->footer("Addresses are written as the address keypad writes them, sorted by port, area "
                 "and address;\na 32-bit value, an alarm group and a data exchange record use "
                 "each of their words or bits.\nExit status: 0 listed; 3 listed, but the file ends "
                 "early; 1 the file cannot be read; 2 wrong\narguments.");
    return [args, &ctx] { return runXref(ctx, *args); };
}

} // namespace dispcraft::cli
