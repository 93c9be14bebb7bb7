#include "sim/SimulatedClock.h"

namespace dispcraft {

PanelClock SimulatedClock::at(int64_t ms) {
    if (ms < 0) {
        ms = 0;
    }
    const int64_t seconds = ms / 1000;
    PanelClock c;
    c.second = static_cast<int>(seconds % 60);
    c.minute = static_cast<int>(seconds / 60 % 60);
    c.hour = static_cast<int>(seconds / 3600 % 24);
    const int64_t days = seconds / 86400;
    c.weekday = static_cast<int>(days % 7) + 1; // day 0 is a Monday
    // Civil date from days since 2024-01-01 (March-based years, as usual for this).
    const int64_t z = days + 19723 + 719468; // days since 0000-03-01
    const int64_t era = z / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
    return c;
}

} // namespace dispcraft
