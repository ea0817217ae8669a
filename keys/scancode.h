#pragma once

#include <QtGlobal>

// Window messages of the mouse buttons as the low-level mouse hook sees them.
// Every capture backend speaks in these terms, so one button table serves all.
namespace MouseMessage {
enum : quint32 {
    LeftDown = 0x0201,
    LeftUp = 0x0202,
    LeftDoubleClick = 0x0203,
    RightDown = 0x0204,
    RightUp = 0x0205,
    RightDoubleClick = 0x0206,
    MiddleDown = 0x0207,
    MiddleUp = 0x0208,
};
} // namespace MouseMessage

// A key as the keyboard hardware reports it: the set-1 scan code and the
// extended (E0 prefix) flag. Scan 0 means no key.
struct ScanCode
{
    quint8 scan = 0;
    bool extended = false;

    bool isValid() const { return scan != 0; }
    friend bool operator==(ScanCode a, ScanCode b) { return a.scan == b.scan && a.extended == b.extended; }
    friend bool operator!=(ScanCode a, ScanCode b) { return !(a == b); }
};
