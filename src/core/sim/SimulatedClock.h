#pragma once

#include "objects/PanelClock.h"

#include <cstdint>

namespace dispcraft {

// The panel's clock in the simulator: it starts at 2024-01-01 00:00:00, a Monday, when the
// panel starts and runs with simulated time only, so a run gives the same pictures every time.
class SimulatedClock {
public:
    static PanelClock at(int64_t msSinceStart);
};

} // namespace dispcraft
