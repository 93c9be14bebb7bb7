#include "cli/Commands.h"

#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "document/ProjectDocument.h"
#include "image/ImageBuilder.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "text/LanguageStrings.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

// A message as the terminal shows it: its text, then its string number for looking it up.
void report(const char* prefix, const Message& m, const std::string& detail = {}) {
    std::string text = LanguageStrings::builtin().format(m);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    std::fprintf(stderr, "dispcraft-cli: %s%s", prefix, text.c_str());
    if (m.id != 0) {
        std::fprintf(stderr, " [%d]", m.id);
    }
    if (!detail.empty()) {
        std::fprintf(stderr, " (%s)", detail.c_str());
    }
    std::fputc('\n', stderr);
}

struct BuildArguments {
    std::string in;
    std::string out;
    BuildOptions options;
};

int runBuild(const CliContext& ctx, const BuildArguments& args) {
    const std::string& in = args.in;
    const std::string& out = args.out;
    const BuildOptions& options = args.options;
    ProgramDirectory dir = ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded = ProjectDocument::readFile(*store, in, dir);
    if (!loaded.ok) {
        report((in + ": ").c_str(), loaded.message, loaded.detail);
        return 1;
    }
    // What saving would do in memory; the project file itself stays as it is.
    TrnWriter::Result prepared = TrnWriter::prepare(*store);
    if (!prepared.ok) {
        report((in + ": ").c_str(), prepared.message, prepared.detail);
        return 1;
    }

    BuildResult built = ImageBuilder::build(*store, dir, options);
    for (const Message& w : built.warnings) {
        report("warning: ", w);
    }
    if (built.stopped()) {
        report("", built.failure, built.detail);
        return 1;
    }
    std::string why;
    if (std::optional<Message> failed = ImageBuilder::write(built, out, &why)) {
        report("", *failed);
        return 1;
    }
    std::printf("%s: %zu bytes\n", out.c_str(), built.image.size());
    if (built.outcome == BuildResult::Outcome::StartScreenMissing) {
        report("", built.startScreenMessage);
        return 3;
    }
    return 0;
}

} // namespace

void addGlyphFontOption(CLI::App& command, std::string& path) {
    command
        .add_option("--glyph-font", path,
                    "Two-byte glyphs from this font (TrueType or .hex)\n"
                    "instead of simsun.ttc or unifont.hex of the program\n"
                    "directory or the system's Unifont; a font that\n"
                    "cannot be opened stops the command")
        ->type_name("PATH");
}

CommandRunner addBuild(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<BuildArguments>();
    CLI::App* build =
        app.add_subcommand("build", "Compiles a project into the panel's download image");
    build->add_option("IN.trn", args->in, "The project; read, not rewritten")
        ->required()
        ->type_name("");
    build->add_option("-o,--output", args->out, "The image to write")
        ->required()
        ->type_name("OUT.qel");
    addGlyphFontOption(*build, args->options.glyphFontPath);
    build->footer("Exit status: 0 image written; 3 image written but its start screen is missing; "
                  "1 nothing written\n(the reason on stderr); 2 wrong arguments.");
    return [args, &ctx] { return runBuild(ctx, *args); };
}

} // namespace dispcraft::cli
