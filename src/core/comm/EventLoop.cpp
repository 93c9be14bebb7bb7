#include "comm/EventLoop.h"

#include <ctime>
#include <thread>

namespace dispcraft {

void EventLoop::post(std::function<void()> fn) {
    std::lock_guard lock(m_mutex);
    m_posted.push_back(std::move(fn));
    m_cv.notify_all();
}

void EventLoop::startTimer(int ms, std::function<void()> fire) {
    std::lock_guard lock(m_mutex);
    m_timerDue = Steady::now() + std::chrono::milliseconds(ms);
    m_timerFire = std::move(fire);
    m_cv.notify_all();
}

void EventLoop::stopTimer() {
    std::lock_guard lock(m_mutex);
    m_timerDue.reset();
    m_timerFire = nullptr;
}

bool EventLoop::runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const Steady::time_point end = Steady::now() + limit;
    while (!done()) {
        std::function<void()> fn;
        {
            std::unique_lock lock(m_mutex);
            for (;;) {
                if (!m_posted.empty()) {
                    fn = std::move(m_posted.front());
                    m_posted.pop_front();
                    break;
                }
                Steady::time_point now = Steady::now();
                if (m_timerDue && *m_timerDue <= now) {
                    fn = std::move(m_timerFire);
                    m_timerDue.reset();
                    m_timerFire = nullptr;
                    break;
                }
                if (now >= end) {
                    return done();
                }
                Steady::time_point until = m_timerDue ? std::min(*m_timerDue, end) : end;
                m_cv.wait_until(lock, until);
            }
        }
        if (fn) {
            fn();
        }
    }
    return true;
}

LocalTime SystemClock::fromTimeT(long seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    LocalTime lt;
    lt.year = tm.tm_year + 1900;
    lt.month = tm.tm_mon + 1;
    lt.day = tm.tm_mday;
    lt.hour = tm.tm_hour;
    lt.minute = tm.tm_min;
    lt.second = tm.tm_sec;
    lt.weekday = tm.tm_wday == 0 ? 7 : tm.tm_wday;
    return lt;
}

LocalTime SystemClock::localTime() const { return fromTimeT(static_cast<long>(std::time(nullptr))); }

void SystemClock::wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void SystemClock::startTimer(int ms, std::function<void()> fire) {
    m_loop.startTimer(ms, std::move(fire));
}

void SystemClock::stopTimer() { m_loop.stopTimer(); }

} // namespace dispcraft
