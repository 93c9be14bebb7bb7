#pragma once

namespace dispcraft::appmsg {

// Language strings of the main window and its bars.
constexpr int kProgramName = 128;        // "Dispcraft"
constexpr int kAboutTitle = 61501;       // "About"
constexpr int kStandardToolBar = 61552;  // "Standard"
constexpr int kObjectToolBar = 61553;    // "Objects"
constexpr int kWorkspace = 61554;        // "Workspace"
constexpr int kNoEarlierScreen = 61572;  // "There is no earlier screen."
constexpr int kOpenProjectFirst = 61573; // "Open or save a project first."
constexpr int kNoLaterScreen = 61574;    // "There is no later screen."
constexpr int kExitAsk = 61577;          // "Exit Dispcraft?"
constexpr int kSaveBeforeExit = 61578;   // "Save the changes to the project before exiting?"
constexpr int kOldFormatBuild =
    61582; // "The project is still in an old file format. Save it in the current..."
constexpr int kDocumentCannotOpen = 61588; // "The document cannot be opened."
constexpr int kUntitledProject = 63579;    // "Untitled project"
constexpr int kSaveProjectTitle = 61530;   // "Save Project"
constexpr int kProjectFilter = 61529;      // "Dispcraft projects (*.trn);;All files (*)"
constexpr int kOpenProjectFilter = 61592;  // the same filter for opening

// Documents, the language switch and what opening a document found.
constexpr int kManual = 61583;            // "\doc\manual_en.html"
constexpr int kProtocolsDocument = 61635; // "\doc\protocols_en.html"
constexpr int kSwitchToEnglish =
    63594; // "Switch the language to English? Dispcraft restarts to apply it."
constexpr int kSwitchToChinese =
    63595; // "Switch the language to Chinese? Dispcraft restarts to apply it."
constexpr int kFileNotFoundBefore = 61584; // "The file"
constexpr int kFileNotFoundAfter = 61585;  // "was not found."
constexpr int kFileInUseBefore = 61586;    // "The file"
constexpr int kFileInUseAfter = 61587;     // "is in use by another program."

} // namespace dispcraft::appmsg
