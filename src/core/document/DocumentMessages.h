#pragma once

namespace dispcraft::docmsg {

// The questions and messages of the project flows.
constexpr int kSaveChanges = 61555;       // new project, close project
constexpr int kSaveBeforeOpening = 61579; // open
constexpr int kSaveBeforeExit = 61578;    // closing the program with changes
constexpr int kExit = 61577;              // closing the program without changes
constexpr int kExitCaption = 128;         // the program's name
constexpr int kOverwrite = 65742;         // %s path: replace it?

} // namespace dispcraft::docmsg
