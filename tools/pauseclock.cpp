#include "pauseclock.h"

#include <QThread>

PauseClock::PauseClock(bool skipPauses)
    : m_skip(skipPauses)
{
    m_timer.start();
}

void PauseClock::sleep(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    m_total += milliseconds;
    ++m_count;
    if (!m_skip)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

qint64 PauseClock::elapsed() const
{
    return m_timer.elapsed() + (m_skip ? m_total.load() : 0);
}
