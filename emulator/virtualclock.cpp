#include "virtualclock.h"

void VirtualClock::sleep(int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pauses.append(milliseconds);
    if (milliseconds > 0)
        m_now += milliseconds;
}

qint64 VirtualClock::elapsed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_now;
}

void VirtualClock::advance(int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (milliseconds > 0)
        m_now += milliseconds;
}

QList<int> VirtualClock::pauses() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pauses;
}

void VirtualClock::clearPauses()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pauses.clear();
}
