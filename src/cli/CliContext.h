#pragma once

#include <string>

namespace dispcraft {

// What every sub-command gets: the program directory as the global option names it (empty when
// not given, then it is found as the programs find it) and the program's own path.
struct CliContext {
    std::string programDirOption;
    std::string argv0;
};

} // namespace dispcraft
