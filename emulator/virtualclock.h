#pragma once

#include "protocolclock.h"

#include <QList>
#include <mutex>

// Time that only moves when someone sleeps on it or the emulated mouse makes
// the host wait. Protocol pauses are recorded so tests can assert the pacing.
class VirtualClock final : public ProtocolClock
{
public:
    void sleep(int milliseconds) override;
    qint64 elapsed() const override;

    // Moves time on without recording a pause (a device taking its time).
    void advance(int milliseconds);
    QList<int> pauses() const;
    void clearPauses();

private:
    mutable std::mutex m_mutex;
    qint64 m_now = 0;
    QList<int> m_pauses;
};
