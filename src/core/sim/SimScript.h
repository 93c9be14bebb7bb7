#pragma once

#include "base/Message.h"
#include "sim/ScriptCommand.h"
#include "sim/SimulatedPlc.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dispcraft {

class Simulation;

// Scripts that drive the simulator, one command per line, "#" starting a comment:
//   set PORT AREA ADDRESS[.BIT] VALUE    a word (-32768..65535, or 0x hex), or a bit (0 or 1)
//   key F1..F4 | key K1..K25             a press and release
//   hold K1..K25 | release K1..K25
//   wait MS                              simulated milliseconds pass
//   snap NAME                            DIR/NAME.png, the LCD at one pixel per dot
//   expect screen N
//   expect PORT AREA ADDRESS[.BIT] VALUE
// The whole script is read and its addresses checked against the project's areas before it
// runs, so a mistake in a late line stops nothing half-way.
class SimScript {
public:
    static constexpr int64_t kLongestWaitMs = 86400000; // one day

    struct Error {
        int line = 0;
        Message reason;
    };
    struct Parsed {
        std::vector<ScriptCommand> commands;
        std::optional<Error> error;
    };
    static Parsed parse(std::string_view text, const SimulatedPlc& plc);

    // What a run found: expectations that failed (line and what was found, in order), and a
    // snapshot that could not be written, which ends the run.
    struct Outcome {
        std::vector<Error> failedExpectations;
        std::optional<Error> error;
        std::vector<std::string> snapshots; // paths written
        // 0 all held, 4 an expectation failed, 1 the run was stopped.
        int status() const { return error ? 1 : failedExpectations.empty() ? 0 : 4; }
    };
    static Outcome run(const std::vector<ScriptCommand>& commands, Simulation& simulation,
                       const std::string& outputDir);
};

} // namespace dispcraft
