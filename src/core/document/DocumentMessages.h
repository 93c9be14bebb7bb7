#pragma once

namespace dispcraft::docmsg {

// The questions and messages of the project flows.
constexpr int kSaveChanges = 61555;       // new project, close project
constexpr int kSaveBeforeOpening = 61579; // open
constexpr int kSaveBeforeExit = 61578;    // closing the program with changes
constexpr int kExit = 61577;              // closing the program without changes
constexpr int kExitCaption = 128;         // the program's name
constexpr int kOverwrite = 65742;         // %s path: replace it?

// Recovery copies.
constexpr int kRestoreQuestion = 66150;  // %s project name, %s time: restore its unsaved work?
constexpr int kRestoreFailed = 66151;    // %s project name, %s why, %s the copy kept
constexpr int kCopyNotWritten = 66152;   // %s why
constexpr int kUntitled = 63579;         // the name of a project without a file

} // namespace dispcraft::docmsg
