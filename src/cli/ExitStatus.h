#pragma once

namespace dispcraft::cli {

// The exit statuses every sub-command uses; --help lists them.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;       // the reason on stderr, no output file replaced
constexpr int kExitBadArguments = 2; // the command line itself is wrong: nothing was read
constexpr int kExitWarning = 3;      // done, with a warning the command names
constexpr int kExitExpectationFailed = 4; // simulate: the script ran, an expectation did not hold

} // namespace dispcraft::cli
