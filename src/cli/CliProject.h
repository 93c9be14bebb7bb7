#pragma once

// What the command-line tool's project commands share: message lines, the program directory
// and opening a project file as the open command does.

#include "cli/CliContext.h"
#include "cli/ExitStatus.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "document/ProjectDocument.h"
#include "model/ProjectStore.h"
#include "model/TrnMessages.h"
#include "model/TrnReader.h"
#include "text/LanguageStrings.h"

#include <cstdio>
#include <string>

namespace dispcraft::cli {

// A message as one line of text (line breaks of message-box texts become spaces).
inline std::string messageLine(const Message& m, const std::string& detail = {}) {
    std::string s = m.id == 0 ? m.literal : LanguageStrings::current().format(m);
    for (char& c : s) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    if (!detail.empty()) {
        s += " (" + detail + ")";
    }
    return s;
}

// "dispcraft-cli COMMAND: FILE: text (detail)" on stderr.
inline void printError(const char* command, const std::string& file, const Message& m,
                       const std::string& detail = {}) {
    std::string where = file.empty() ? std::string() : file + ": ";
    std::fprintf(stderr, "dispcraft-cli %s: %s%s\n", command, where.c_str(), messageLine(m, detail).c_str());
}

inline ProgramDirectory programDirectory(const CliContext& ctx) {
    return ProgramDirectory::locate(ctx.programDirOption, ctx.argv0);
}

// Exit status of info and resave for a file that ends inside its last parts: read as far as it
// goes and the work done, but the file is not whole.
constexpr int kEndsEarlyStatus = kExitWarning;

// Reads a project file with every upgrade and the model section and protocol files it names.
// On failure prints the reason and returns false; a file that ends early is read with a
// warning.
inline bool openProject(const char* command, const CliContext& ctx, const std::string& path,
                        ProjectStore& store, TrnReader::Result* result = nullptr) {
    TrnReader::Result r = ProjectDocument::readFile(store, path, programDirectory(ctx));
    if (result) {
        *result = r;
    }
    if (!r.ok) {
        printError(command, path, r.message, r.detail);
        return false;
    }
    if (r.endsEarly) {
        std::fprintf(stderr, "dispcraft-cli %s: %s: warning: %s\n", command, path.c_str(),
                     messageLine(Message::string(trnmsg::kEndsEarly)).c_str());
    }
    return true;
}

} // namespace dispcraft::cli
