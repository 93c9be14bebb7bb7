#pragma once

#include "base/Message.h"
#include "sim/PlcLocation.h"
#include "sim/ValueGenerator.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dispcraft {

// One row of the simulator's PLC memory table: an address as the user wrote it, how its word
// is shown, and an optional generator that drives it.
struct WatchEntry {
    enum class Display { Unsigned, Signed, Hex, Bcd };

    std::string address;                 // "COM1 D 0100", "COM2 M 0005.3"
    std::optional<PlcLocation> location; // none while the address means nothing to the project
    Message problem;                     // why, then
    Display display = Display::Unsigned;
    ValueGenerator generator;            // words only

    // The value as the row shows it; a bit as 0 or 1.
    std::string format(uint16_t value) const;
    // A typed value in the row's display (a bit takes 0 or 1, "on" or "off"); none when it is
    // not one.
    std::optional<uint16_t> parse(const std::string& text) const;

    static const char* displayName(Display d);
    static std::optional<Display> displayNamed(const std::string& name);
};

} // namespace dispcraft
