#pragma once

#include "emulatorbackend.h"
#include "systemclock.h"

class Widget;

// The emulated mouse that the installed apConfig.bin describes (its first
// device row, chip family and flags), on real time, with plausible on-board
// profiles so the read-back at connection has something to read.
class DemoMouse
{
public:
    DemoMouse();

    // Gives the window's device link this mouse instead of the real HID devices.
    void plugInto(Widget &window);
    EmulatorBackend &backend() { return m_backend; }

private:
    SystemClock m_clock;
    EmulatorBackend m_backend{m_clock};
};
