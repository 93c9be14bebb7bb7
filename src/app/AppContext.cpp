#include "app/AppContext.h"

#include "image/PanelGlyphs.h"
#include "text/LanguageStrings.h"

namespace dispcraft {

AppContext::AppContext(ProgramDirectory dir, std::string executable)
    : m_dir(std::move(dir)), m_settings(SettingsFile::of(m_dir)),
      m_executable(std::move(executable)) {}

AppContext::~AppContext() = default;

std::unique_ptr<AppContext> AppContext::start(const std::string& programDirOption,
                                              const std::string& argv0) {
    auto ctx = std::make_unique<AppContext>(ProgramDirectory::locate(programDirOption, argv0), argv0);
    ctx->loadLanguage();
    return ctx;
}

void AppContext::loadLanguage() {
    m_language = m_settings.startLanguage();
    m_languageProblem = {};
    LanguageStrings::current().load(m_dir.path(), m_language, &m_languageProblem);
}

PanelGlyphs& AppContext::glyphs() {
    if (!m_glyphs) {
        m_glyphs = std::make_unique<PanelGlyphs>(PanelGlyphs::open(m_dir, {}, &m_glyphNotes));
    }
    return *m_glyphs;
}

std::vector<Message> AppContext::takeGlyphNotes() {
    std::vector<Message> notes;
    notes.swap(m_glyphNotes);
    return notes;
}

} // namespace dispcraft
