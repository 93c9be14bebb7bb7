#pragma once

#include "cli/CliContext.h"

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace dispcraft::cli {

// Runs a sub-command once the whole command line has parsed; returns the exit status.
using CommandRunner = std::function<int()>;

// Each sub-command lives in its own file: it adds itself to the parser with its arguments and
// its help, and hands back what runs it. ctx is complete by the time the runner is called.
CommandRunner addNew(CLI::App& app, const CliContext& ctx);
CommandRunner addResave(CLI::App& app, const CliContext& ctx);
CommandRunner addInfo(CLI::App& app, const CliContext& ctx);
CommandRunner addBuild(CLI::App& app, const CliContext& ctx);
CommandRunner addDownload(CLI::App& app, const CliContext& ctx);
CommandRunner addLamp(CLI::App& app, const CliContext& ctx);
CommandRunner addRender(CLI::App& app, const CliContext& ctx);
CommandRunner addSimulate(CLI::App& app, const CliContext& ctx);
CommandRunner addXref(CLI::App& app, const CliContext& ctx);
CommandRunner addTexts(CLI::App& app, const CliContext& ctx);
CommandRunner addReport(CLI::App& app, const CliContext& ctx);

// The two-byte glyph font option of every command that draws or builds texts: the same name,
// meaning and help everywhere.
void addGlyphFontOption(CLI::App& command, std::string& path);

} // namespace dispcraft::cli
