#include "cli/CliProject.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "base/FileIo.h"
#include "report/ProjectReport.h"
#include "report/ReportPictures.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

struct ReportArguments {
    std::string in;
    std::string out;
    std::string glyphFont;
};

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The project as one HTML page. What could not be drawn is said on stderr and under the page's
// notes; the page is written all the same.
int runReport(const CliContext& ctx, const ReportArguments& args) {
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result r;
    if (!openProject("report", ctx, args.in, *store, &r)) {
        return kExitFailed;
    }
    const LanguageStrings& strings = LanguageStrings::current();
    ReportPictures pictures(*store, programDirectory(ctx), strings, args.glyphFont);
    std::vector<std::string> notes;
    for (const Message& m : pictures.notes()) {
        notes.push_back(messageLine(m));
        printError("report", args.in, m);
    }
    if (!args.glyphFont.empty() && !notes.empty()) {
        return kExitFailed; // a font asked for by name and not opened, as render stops
    }
    const std::string html = ProjectReport::html(*store, strings, fileNameOf(args.in),
                                                 pictures.ok() ? &pictures : nullptr, notes);
    std::string error;
    if (!FileIo::writeAtomic(args.out, html, &error)) {
        printError("report", args.out, Message::text(error));
        return kExitFailed;
    }
    return r.endsEarly ? kEndsEarlyStatus : kExitDone;
}

} // namespace

CommandRunner addReport(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<ReportArguments>();
    CLI::App* report = app.add_subcommand(
        "report", "Writes the whole project as one HTML page to print or hand over");
    report->add_option("IN.trn", args->in, "The project")->required()->type_name("");
    report->add_option("-o,--output", args->out, "The HTML file to write")->required()->type_name("OUT.html");
    addGlyphFontOption(*report, args->glyphFont);
    report->footer("The page holds the summary, every screen drawn as its screen window shows it with "
                   "its objects and\nkeys, the alarm groups, data exchange, panel settings and the "
                   "cross-reference of PLC addresses.\nExit status: 0 written; 3 written, but the "
                   "project file ends early; 1 nothing written; 2 wrong\narguments.");
    return [args, &ctx] { return runReport(ctx, *args); };
}

} // namespace dispcraft::cli
