#pragma once

#include "emulatorbackend.h"
#include "hidthread.h"
#include "virtualclock.h"

// A device link wired to the emulated mouse and a virtual clock.
struct DeviceLinkFixture
{
    VirtualClock clock;
    EmulatorBackend backend{clock};
    Hid_Thread hid;

    DeviceLinkFixture();

    static EmulatedMouse::Identity identity(ChipFamily family, int reportLength, bool isEncode = false);
    static DeviceEntry rowFor(const EmulatedMouse::Identity &identity);

    // Plugs in a mouse, gives the link a one-row table for it and passes the
    // handshake, then forgets everything that happened so far.
    EmulatedMouse &connect(const EmulatedMouse::Identity &identity);
    void forgetHistory();

    QList<QByteArray> sent(HidCall kind) const;
    // Sum of the recorded protocol pauses.
    int pausedMs() const;
    // What a finished test left wrong on the link: protocol violations, a
    // link still taken, handles still open. Empty when all is well.
    QString leftovers();
};

// The 9-byte command report 00, code, parameters (zero-filled), checksum.
QByteArray commandReport(std::initializer_list<int> codeAndParams);
// A bulk buffer of `length` bytes counting up from `first`.
QByteArray countingBytes(int length, int first = 0);
