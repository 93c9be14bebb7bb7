#pragma once

#include <functional>

namespace dispcraft {

// A local date and time as the panel clock takes it.
struct LocalTime {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 1; // 1 = Monday .. 7 = Sunday
};

// Time as the download sees it: local time for the clock packet, the short pauses, and the
// one-shot timer of the transfer. The timer's callback must run on the thread that owns the
// session (the user-interface thread); tests drive a fake that never sleeps.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime localTime() const = 0;
    // Blocks the calling thread.
    virtual void wait(int ms) = 0;
    // One timer at a time: starting replaces a pending one.
    virtual void startTimer(int ms, std::function<void()> fire) = 0;
    virtual void stopTimer() = 0;
};

} // namespace dispcraft
