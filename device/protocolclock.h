#pragma once

#include <QtGlobal>

// The one place every protocol pause goes through (8 ms link polls, 120 ms
// after output reports, 128 ms settle). Production sleeps for real; tests use
// a virtual clock that records each pause and returns at once.
class ProtocolClock
{
public:
    virtual ~ProtocolClock();

    virtual void sleep(int milliseconds) = 0;
    // Milliseconds since the clock was made; the time stamps of call logs.
    virtual qint64 elapsed() const = 0;
};
