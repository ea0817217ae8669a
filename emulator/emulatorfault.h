#pragma once

#include "emulatorbackend.h"

#include <QString>
#include <QStringList>

// A fault the emulated mouse is given before the first HID call, as
// kx20ctl --emulate and the demo take it on their command lines: unplugged at
// the Nth HID call, no longer answering from the Nth HID call, or the Nth
// call of one kind failing.
struct EmulatorFault
{
    enum class Kind { Unplug, Silent, FailCall };

    Kind kind = Kind::Unplug;
    HidCall call = HidCall::Enumerate; // FailCall only
    int at = 1;

    // "unplug@N", "silent[@N]" or CALL@N with CALL one of callNames(). Empty
    // when `given` names a fault; otherwise why not, naming it as "--fault".
    static QString parse(const QString &given, EmulatorFault &fault);
    static QStringList callNames();

    void applyTo(EmulatorBackend &mouse) const;
};
