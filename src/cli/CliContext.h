#pragma once

#include <string>
#include <vector>

namespace dispcraft {

// What every sub-command gets: the program directory as the global option names it (empty when
// not given, then it is found as the programs find it) and the sub-command's own arguments.
struct CliContext {
    std::string programDirOption;
    std::string argv0;
    std::vector<std::string> args;
};

} // namespace dispcraft
