#include "cli/Commands.h"

#include "image/ImageBuilder.h"
#include "base/ProgramDirectory.h"
#include "document/ProjectDocument.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"
#include "text/LanguageStrings.h"

#include <cstdio>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

void usage() {
    std::fputs("usage: dispcraft-cli build IN.trn -o OUT.qel [--glyph-font PATH]\n"
               "  Compiles the project into the panel's download image OUT. IN is read, not\n"
               "  rewritten. Two-byte glyphs come from PATH when given, else from simsun.ttc or\n"
               "  unifont.hex in the program directory, else from the system's Unifont.\n"
               "  Exit status: 0 image written; 3 image written but its start screen is\n"
               "  missing; 1 nothing written (the reason on stderr); 2 wrong arguments.\n",
               stderr);
}

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

} // namespace

int runBuild(const CliContext& ctx) {
    std::string in, out;
    BuildOptions options;
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        const bool hasValue = i + 1 < ctx.args.size();
        if ((a == "-o" || a == "--output") && hasValue) {
            out = ctx.args[++i];
        } else if (a == "--glyph-font" && hasValue) {
            options.glyphFontPath = ctx.args[++i];
        } else if (a.rfind("--glyph-font=", 0) == 0) {
            options.glyphFontPath = a.substr(13);
        } else if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else if (!a.empty() && a[0] != '-' && in.empty()) {
            in = a;
        } else {
            std::fprintf(stderr, "dispcraft-cli: build: unexpected argument '%s'\n", a.c_str());
            usage();
            return 2;
        }
    }
    if (in.empty() || out.empty()) {
        usage();
        return 2;
    }

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

} // namespace dispcraft::cli
