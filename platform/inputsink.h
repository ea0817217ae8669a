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

// Where the capture backends deliver raw key and button events. Runs on the
// GUI thread; an implementation must return quickly and must not keep or log
// the keys beyond handing them to the program.
class InputSink
{
public:
    // scan: the hardware scan code (values above 255 stand for no key).
    virtual void keyEvent(unsigned scan, bool extended, bool altDown, bool pressed) = 0;
    // message: one of MouseMessage; x, y: screen coordinates of the pointer.
    virtual void buttonEvent(quint32 message, int x, int y) = 0;

protected:
    ~InputSink() = default;
};
