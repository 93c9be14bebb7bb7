#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "base/MessageSink.h"
#include "base/ProgramDirectory.h"
#include "editor/EditorMessages.h"
#include "editor/EditorSession.h"
#include "editor/PngFile.h"
#include "editor/ScreenRenderer.h"
#include "image/PanelGlyphs.h"
#include "model/ProjectStore.h"
#include "document/ProjectDocument.h"
#include "model/TrnReader.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace dispcraft::cli {

namespace {

// Messages of the opening go to stderr as they come; questions take the default.
class StderrSink : public MessageSink {
public:
    explicit StderrSink(const LanguageStrings& strings) : m_strings(strings) {}
    void show(const Message& m, Icon = Icon::None) override {
        std::fprintf(stderr, "dispcraft-cli: %s\n", m_strings.format(m).c_str());
    }
    Answer ask(const Message& m, Buttons, int = 0) override {
        show(m, Icon::Question);
        return Answer::Yes;
    }

private:
    const LanguageStrings& m_strings;
};

struct RenderArguments {
    std::string in;
    std::string out;
    int screen = -1;
    std::string glyphFont;
};

// Opens screen N as a screen window does and writes what the window would show.
int runRender(const CliContext& ctx, const RenderArguments& args) {
    LanguageStrings strings;
    ProgramDirectory dir = ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
    strings.load(dir.path(), "ZOZUDEDevo.dll");
    StderrSink sink(strings);
    const int screen = args.screen;

    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded = ProjectDocument::readFile(*store, args.in, dir);
    if (!loaded.ok) {
        sink.show(loaded.message);
        return kExitFailed;
    }
    if (!store->screenExists(screen)) {
        sink.show(Message::string(editormsg::kNoSuchScreen, {std::to_string(screen)}));
        return kExitFailed;
    }

    EditorSession session(*store, dir, sink);
    if (session.screen().loadScreen(screen) != ScreenContents::OpenResult::Opened) {
        sink.show(Message::string(editormsg::kOpeningStopped, {std::to_string(screen)}));
        return kExitFailed;
    }
    std::optional<RgbImage> picture = ScreenRenderer::loadPanelPicture(*store, dir);
    if (!picture) {
        sink.show(Message::string(editormsg::kNoPanelPicture));
        return kExitFailed;
    }
    std::vector<Message> notes;
    PanelGlyphs glyphs = PanelGlyphs::open(dir, args.glyphFont, &notes);
    for (const Message& m : notes) {
        sink.show(m);
    }
    // As in the build: a font asked for by name and not opened stops, rather than drawing
    // texts the panel would show otherwise.
    if (!args.glyphFont.empty() && !glyphs.hasTwoByteSource()) {
        return kExitFailed;
    }
    ScreenRenderer renderer(&*picture, &glyphs);
    Gb2312::Result placeholder = Gb2312::fromUtf8(strings.text(editormsg::kWeekdayPlaceholder));
    if (placeholder.ok) {
        renderer.setShortFormPlaceholder(placeholder.text);
    }
    RgbImage image;
    renderer.render(session.readyToPaint(), image);
    std::string error;
    if (!PngFile::write(args.out, image, &error)) {
        sink.show(Message::string(editormsg::kPictureNotWritten, {args.out, error}));
        return kExitFailed;
    }
    return kExitDone;
}

} // namespace

CommandRunner addRender(CLI::App& app, const CliContext& ctx) {
    auto args = std::make_shared<RenderArguments>();
    CLI::App* render = app.add_subcommand(
        "render", "Draws a stored screen as its screen window shows it, into a PNG file");
    render->add_option("IN.trn", args->in, "The project")->required()->type_name("");
    render->add_option("--screen", args->screen, "The screen's number")
        ->required()
        ->check(CLI::Range(0, 65535).description(""))
        ->type_name("N");
    render->add_option("-o,--output", args->out, "The PNG file to write")
        ->required()
        ->type_name("OUT.png");
    addGlyphFontOption(*render, args->glyphFont);
    render->footer(
        "Exit status: 0 written; 1 nothing written (the reason on stderr); 2 wrong arguments.");
    return [args, &ctx] { return runRender(ctx, *args); };
}

} // namespace dispcraft::cli
