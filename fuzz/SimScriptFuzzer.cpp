// Parses arbitrary text as a simulator script against PLCs of a decimal, an octal and a
// hexadecimal area with bit numbers. A refused script must name a line of the text and keep no
// command; an accepted one holds only commands within their ranges.
#include "sim/SimScript.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

using namespace dispcraft;

namespace {

const SimulatedPlc& plc() {
    static const SimulatedPlc* p = [] {
        std::array<SimulatedPlc::Port, 2> ports;
        for (SimulatedPlc::Port& port : ports) {
            port.present = true;
            port.areas.bitNumberSetting = "15";
            port.areas.wordAreas.areas.fill({"end", "end", "end"});
            port.areas.bitAreas.areas.fill({"end", "end", "end"});
            port.areas.wordAreas.areas[0] = {"D", "7999", "9999"};
            port.areas.wordAreas.areas[1] = {"DM", "FFFF", "FFFF"};
            port.areas.bitAreas.areas[0] = {"X", "0377", "7777"};
            port.areas.bitAreas.areas[1] = {"IR", "FF15", "FF19"};
            port.areas.bitAreas.areas[2] = {"4x.bit", "999915", "999919"};
        }
        return new SimulatedPlc(ports);
    }();
    return *p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SimScript::Parsed parsed = SimScript::parse(text, plc());
    if (parsed.error) {
        const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
        if (parsed.error->line < 1 || static_cast<size_t>(parsed.error->line) > lines || !parsed.commands.empty()) {
            std::abort();
        }
        return 0;
    }
    for (const ScriptCommand& c : parsed.commands) {
        const bool bad = (c.kind == ScriptCommand::Kind::Wait && (c.number < 0 || c.number > SimScript::kLongestWaitMs)) ||
                         (c.kind == ScriptCommand::Kind::Snap && (c.name.empty() || c.name.find('/') != std::string::npos ||
                                                                  c.name[0] == '.')) ||
                         (c.kind == ScriptCommand::Kind::Key && (c.number < 1 || c.number > 25)) ||
                         (c.location.bit < 0 || c.location.bit > 15) || c.number < 0 || c.number > SimScript::kLongestWaitMs;
        if (bad) {
            std::abort();
        }
    }
    return 0;
}
