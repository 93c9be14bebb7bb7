#pragma once

#include "comm/Clock.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace dispcraft {

// A small run loop for owners of a DownloadSession that have no window system (the command
// line, tests, benchmarks): functions posted from any thread and one timer, all run on the
// thread that calls runUntil().
class EventLoop {
public:
    using Steady = std::chrono::steady_clock;

    void post(std::function<void()> fn);
    void startTimer(int ms, std::function<void()> fire);
    void stopTimer();
    // Runs events until done() holds (checked after each) or the limit passes; returns done().
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::hours(24));

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_posted;
    std::optional<Steady::time_point> m_timerDue;
    std::function<void()> m_timerFire;
};

// Local time from the system, real pauses, and the timer of an EventLoop.
class SystemClock : public Clock {
public:
    explicit SystemClock(EventLoop& loop) : m_loop(loop) {}
    LocalTime localTime() const override;
    void wait(int ms) override;
    void startTimer(int ms, std::function<void()> fire) override;
    void stopTimer() override;

    static LocalTime fromTimeT(long seconds); // local time of a time_t value

private:
    EventLoop& m_loop;
};

} // namespace dispcraft
