#pragma once

#include "base/ProgramDirectory.h"
#include "config/SettingsFile.h"
#include "base/Message.h"

#include <memory>
#include <string>
#include <vector>

namespace dispcraft {

class PanelGlyphs;

// What start-up finds before the main window exists: the program directory, the settings file,
// the language of this run and the program file for the restart.
class AppContext {
public:
    AppContext(ProgramDirectory dir, std::string executable);
    ~AppContext();

    // Program start: locates the program directory (--program-dir, $DISPCRAFT_HOME, the program
    // file's directory, the installed data), reads "lan" and loads that language into
    // LanguageStrings::current().
    static std::unique_ptr<AppContext> start(const std::string& programDirOption,
                                             const std::string& argv0);
    // Loads the language named in the settings file (done by start()).
    void loadLanguage();

    const ProgramDirectory& dir() const { return m_dir; }
    const SettingsFile& settings() const { return m_settings; }
    const std::string& language() const { return m_language; }
    // Why the language file could not be read; shown once the main window is up.
    const Message& languageProblem() const { return m_languageProblem; }
    const std::string& executable() const { return m_executable; }

    // The panel's glyphs, opened on first use and kept for the whole run (the screen windows
    // draw with them and the build takes the same bitmaps). takeGlyphNotes(): what could not
    // be opened, once.
    PanelGlyphs& glyphs();
    std::vector<Message> takeGlyphNotes();

private:
    ProgramDirectory m_dir;
    SettingsFile m_settings;
    std::string m_language;
    Message m_languageProblem;
    std::string m_executable;
    std::unique_ptr<PanelGlyphs> m_glyphs;
    std::vector<Message> m_glyphNotes;
};

} // namespace dispcraft
