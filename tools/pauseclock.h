#pragma once

#include "protocolclock.h"

#include <QElapsedTimer>

#include <atomic>

// The clock of kx20ctl's device link: it keeps account of every protocol
// pause. With `skipPauses` (emulated mouse only: a real mouse needs the time)
// the pauses are counted but not slept; the time still moves on by them, so
// time stamps and the emulated mouse's pacing checks see the protocol's own
// timeline.
class PauseClock final : public ProtocolClock
{
public:
    explicit PauseClock(bool skipPauses = false);

    void sleep(int milliseconds) override;
    qint64 elapsed() const override;

    qint64 pauseTotal() const { return m_total.load(); }
    int pauseCount() const { return m_count.load(); }
    bool skipsPauses() const { return m_skip; }

private:
    const bool m_skip;
    QElapsedTimer m_timer;
    std::atomic<qint64> m_total{0};
    std::atomic<int> m_count{0};
};
