#pragma once

#include "scancode.h"

#include <QtGlobal>

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
