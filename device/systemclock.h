#pragma once

#include "protocolclock.h"

#include <QElapsedTimer>

class SystemClock final : public ProtocolClock
{
public:
    SystemClock();

    void sleep(int milliseconds) override;
    qint64 elapsed() const override;

    // The clock a device link uses unless it is given another.
    static SystemClock &instance();

private:
    QElapsedTimer m_timer;
};
