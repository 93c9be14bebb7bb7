#include "cli/Commands.h"

#include "image/PanelGlyphs.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "editor/EditorMessages.h"
#include "editor/EditorSession.h"
#include "editor/PngFile.h"
#include "editor/ScreenRenderer.h"
#include "model/ProjectStore.h"
#include "model/TrnReader.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"
#include "base/MessageSink.h"

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

} // namespace

// render IN.trn --screen N -o OUT.png: opens screen N as a screen window does and writes what
// the window would show.
int runRender(const CliContext& ctx) {
    LanguageStrings strings;
    ProgramDirectory dir = ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
    strings.load(dir.path(), "ZOZUDEDevo.dll");
    StderrSink sink(strings);

    std::string in, out;
    int screen = -1;
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if ((a == "--screen" || a == "-o") && i + 1 < ctx.args.size()) {
            const std::string& v = ctx.args[++i];
            if (a == "-o") {
                out = v;
            } else {
                char* end = nullptr;
                long n = std::strtol(v.c_str(), &end, 10);
                screen = (end && *end == '\0' && !v.empty()) ? static_cast<int>(n) : -1;
            }
        } else if (in.empty() && !a.empty() && a[0] != '-') {
            in = a;
        } else {
            in.clear();
            break;
        }
    }
    if (in.empty() || out.empty() || screen < 0) {
        sink.show(Message::string(editormsg::kRenderUsage));
        return 1;
    }

    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded = TrnReader::load(*store, in);
    if (!loaded.ok) {
        sink.show(loaded.message);
        return 1;
    }
    ProjectSetup::afterLoad(*store, dir);
    if (!store->screenExists(screen)) {
        sink.show(Message::string(editormsg::kNoSuchScreen, {std::to_string(screen)}));
        return 1;
    }

    EditorSession session(*store, dir, sink);
    if (session.screen().loadScreen(screen) != ScreenContents::OpenResult::Opened) {
        sink.show(Message::string(editormsg::kOpeningStopped, {std::to_string(screen)}));
        return 1;
    }
    std::optional<RgbImage> picture = ScreenRenderer::loadPanelPicture(*store, dir);
    if (!picture) {
        sink.show(Message::string(63593));
        return 1;
    }
    std::vector<Message> notes;
    PanelGlyphs glyphs = PanelGlyphs::open(dir, {}, &notes);
    for (const Message& m : notes) {
        sink.show(m);
    }
    ScreenRenderer renderer(&*picture, &glyphs);
    Gb2312::Result placeholder = Gb2312::fromUtf8(strings.text(63597));
    if (placeholder.ok) {
        renderer.setShortFormPlaceholder(placeholder.text);
    }
    RgbImage image;
    renderer.render(session.readyToPaint(), image);
    std::string error;
    if (!PngFile::write(out, image, &error)) {
        sink.show(Message::string(editormsg::kPictureNotWritten, {out, error}));
        return 1;
    }
    return 0;
}

} // namespace dispcraft::cli
