#include "systemclock.h"

#include <QThread>

ProtocolClock::~ProtocolClock() = default;

SystemClock::SystemClock()
{
    m_timer.start();
}

void SystemClock::sleep(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

qint64 SystemClock::elapsed() const
{
    return m_timer.elapsed();
}

SystemClock &SystemClock::instance()
{
    static SystemClock clock;
    return clock;
}
