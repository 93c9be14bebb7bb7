#include "app/dialogs/TimerClock.h"

#include <QDateTime>
#include <QThread>

namespace dispcraft {

TimerClock::TimerClock(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // The callback may start the next timer: it runs from a copy.
        std::function<void()> fire = m_fire;
        if (fire) {
            fire();
        }
    });
}

LocalTime TimerClock::localTime() const {
    const QDateTime now = QDateTime::currentDateTime();
    LocalTime t;
    t.year = now.date().year();
    t.month = now.date().month();
    t.day = now.date().day();
    t.hour = now.time().hour();
    t.minute = now.time().minute();
    t.second = now.time().second();
    t.weekday = now.date().dayOfWeek(); // 1 = Monday .. 7 = Sunday
    return t;
}

void TimerClock::wait(int ms) { QThread::msleep(static_cast<unsigned long>(ms > 0 ? ms : 0)); }

void TimerClock::startTimer(int ms, std::function<void()> fire) {
    m_fire = std::move(fire);
    m_timer.start(ms > 0 ? ms : 0);
}

void TimerClock::stopTimer() {
    m_timer.stop();
    m_fire = nullptr;
}

} // namespace dispcraft
