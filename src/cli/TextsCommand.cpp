#include "cli/CliProject.h"
#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "base/FileIo.h"
#include "model/TrnWriter.h"
#include "report/ProjectTexts.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

struct TextsArguments {
    CLI::App* exportCommand = nullptr;
    std::string in;
    std::string csv;
    std::string out;
};

// The project's texts as a key,text table (UTF-8 CSV). Exit status 0; 3 when the project file
// ends early; 1 when it cannot be read or the table cannot be written.
int runExport(const CliContext& ctx, const TextsArguments& args) {
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result r;
    if (!openProject("texts", ctx, args.in, *store, &r)) {
        return kExitFailed;
    }
    std::string error;
    if (!FileIo::writeAtomic(args.out, ProjectTexts::exportCsv(*store), &error)) {
        printError("texts", args.out, Message::text(error));
        return kExitFailed;
    }
    return r.endsEarly ? kEndsEarlyStatus : kExitDone;
}

// A table read into the project and the project saved as OUT: all rows or none.
int runImport(const CliContext& ctx, const TextsArguments& args) {
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result r;
    if (!openProject("texts", ctx, args.in, *store, &r)) {
        return kExitFailed;
    }
    const std::optional<std::string> csv = FileIo::readText(args.csv);
    if (!csv) {
        printError("texts", args.csv, Message::text("cannot be read"));
        return kExitFailed;
    }
    const ProjectTexts::Checked checked = ProjectTexts::check(*store, *csv);
    if (!checked.ok()) {
        printError("texts", args.csv, checked.error);
        return kExitFailed;
    }
    ProjectTexts::apply(*store, checked.changes);
    TrnWriter::Result w = TrnWriter::save(*store, args.out);
    if (!w.ok) {
        printError("texts", args.out, w.message, w.detail);
        return kExitFailed;
    }
    std::printf("%zu rows, %zu texts changed\n", checked.rows, checked.changes.size());
    return r.endsEarly ? kEndsEarlyStatus : kExitDone;
}

} // namespace

CommandRunner addTexts(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<TextsArguments>();
    CLI::App* texts = app.add_subcommand(
        "texts", "Writes a project's texts to a CSV file for translation, or reads them back");
    texts->require_subcommand(1);
    texts->footer(
        "Rows: key,text (UTF-8, quoted as RFC 4180 has it) for the screen names\n"
        "(screen/N/name), static texts (screen/N/TextString/I), the 16 texts of each message\n"
        "display (screen/N/MsgDisp/I/M) and the alarm messages (alarm/G/M).");

    CLI::App* exp = texts->add_subcommand("export", "Writes every text of the project as a CSV row");
    exp->add_option("IN.trn", args->in, "The project")->required()->type_name("");
    exp->add_option("-o,--output", args->out, "The CSV file to write")->required()->type_name("OUT.csv");
    exp->footer("Exit status: 0 written; 3 written, but the project file ends early; 1 nothing "
                "written; 2 wrong\narguments.");
    args->exportCommand = exp;

    CLI::App* imp = texts->add_subcommand(
        "import", "Takes the texts of a CSV file into the project and saves it as OUT.trn");
    imp->add_option("IN.trn", args->in, "The project")->required()->type_name("");
    imp->add_option("IN.csv", args->csv, "The texts: rows in any order, missing rows keep their text")
        ->required()
        ->type_name("");
    imp->add_option("-o,--output", args->out, "The project file to write")->required()->type_name("OUT.trn");
    imp->footer("An unknown key, a key given twice, a text longer than its dialog takes, an empty "
                "static text or\na character outside GB2312 stops the import with the line of the "
                "CSV file.\nExit status: 0 saved; 3 saved, but IN.trn ends early; 1 nothing "
                "written; 2 wrong arguments.");
    return [args, &ctx] {
        return args->exportCommand->parsed() ? runExport(ctx, *args) : runImport(ctx, *args);
    };
}

} // namespace dispcraft::cli
