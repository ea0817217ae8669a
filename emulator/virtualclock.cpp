#include "virtualclock.h"

#include <QMutexLocker>

void VirtualClock::sleep(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    m_pauses.append(milliseconds);
    if (milliseconds > 0)
        m_now += milliseconds;
}

qint64 VirtualClock::elapsed() const
{
    QMutexLocker lock(&m_mutex);
    return m_now;
}

void VirtualClock::advance(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    if (milliseconds > 0)
        m_now += milliseconds;
}

QList<int> VirtualClock::pauses() const
{
    QMutexLocker lock(&m_mutex);
    return m_pauses;
}

void VirtualClock::clearPauses()
{
    QMutexLocker lock(&m_mutex);
    m_pauses.clear();
}
