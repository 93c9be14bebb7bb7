#pragma once

#include "cli/CliContext.h"

namespace dispcraft::cli {

// Each sub-command returns the process exit status; each lives in its own file.
int runNew(const CliContext& ctx);
int runResave(const CliContext& ctx);
int runInfo(const CliContext& ctx);
int runBuild(const CliContext& ctx);
int runDownload(const CliContext& ctx);
int runLamp(const CliContext& ctx);
int runRender(const CliContext& ctx);

} // namespace dispcraft::cli
