#pragma once

namespace dispcraft {

// The panel's own clock and calendar at one moment, as the clock form of the numeric display
// shows its fields.
struct PanelClock {
    int year = 2024; // four digits; the panel shows the last two
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 1; // 1 = Monday .. 7 = Sunday
};

} // namespace dispcraft
