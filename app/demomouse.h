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
    // Keeps `path` holding what the mouse has stored (report rate code,
    // current DPI stage and profile, buttons, macros, DPI stages and count,
    // lighting, gun slots, and a 560's five images), rewritten when it
    // changes, so a person or a test outside the program can see what
    // reached the mouse.
    void publishStateTo(const QString &path);
    // Lines on standard input press the DPI button, unplug and plug the
    // mouse, hang it and make it answer again (MouseControlLines), as the
    // tray menu does, for a person or a test without a tray.
    void controlFromInputLines(Widget &window);
    EmulatorBackend &backend() { return m_backend; }

private:
    // "Emulated mouse" in the tray menu: press its DPI button, unplug it,
    // plug it back in.
    void addTrayMenu(Widget &window);

    QString stateText();
    // What a 553 holds in its own commands' stores; what a 560 holds in its
    // five profile images.
    static QString settingState553(const EmulatedMouse &mouse);
    static QString imageState(const EmulatedMouse &mouse);

    SystemClock m_clock;
    QString m_published;
    EmulatorBackend m_backend{m_clock};
};
