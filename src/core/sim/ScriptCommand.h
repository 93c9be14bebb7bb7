#pragma once

#include "sim/PlcLocation.h"

#include <cstdint>
#include <string>

namespace dispcraft {

// One line of a simulator script, read and checked.
struct ScriptCommand {
    enum class Kind {
        Set,          // set PORT AREA ADDRESS[.BIT] VALUE
        FunctionKey,  // key F1..F4
        Key,          // key K1..K25: press and release
        Hold,         // hold K1..K25
        Release,      // release K1..K25
        Wait,         // wait MS
        Snap,         // snap NAME
        ExpectScreen, // expect screen N
        ExpectValue,  // expect PORT AREA ADDRESS[.BIT] VALUE
    };

    int line = 0;
    Kind kind = Kind::Wait;
    PlcLocation location; // Set, ExpectValue
    std::string address;  // as written, for messages
    int64_t number = 0;   // the value (as a word), key, milliseconds or screen
    std::string valueText; // the value as written, for messages
    std::string name;     // Snap
};

} // namespace dispcraft
