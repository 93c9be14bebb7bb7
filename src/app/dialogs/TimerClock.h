#pragma once

#include "comm/Clock.h"

#include <QObject>
#include <QTimer>

namespace dispcraft {

// The download's clock in a window program: local time from the system, short pauses, and a
// one-shot timer of the event loop, so that its callback runs on the thread that made it (the
// user-interface thread).
class TimerClock : public QObject, public Clock {
    Q_OBJECT
public:
    explicit TimerClock(QObject* parent = nullptr);

    LocalTime localTime() const override;
    void wait(int ms) override;
    void startTimer(int ms, std::function<void()> fire) override;
    void stopTimer() override;
    bool timerActive() const { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_fire;
};

} // namespace dispcraft
