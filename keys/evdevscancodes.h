#pragma once

#include "scancode.h"

#include <cstddef>

// Linux names keys by evdev code (the X keycode minus 8). These functions
// give the scan code and extended flag that Windows reports for the same
// physical key, so that both systems go through the same key tables.
namespace EvdevScanCodes {

struct Row
{
    quint16 evdev;
    quint8 scan;
    bool extended;
};

// The scan code for an evdev code; an invalid ScanCode for keys Windows has
// no scan code for (media keys, mouse buttons, unknown codes).
ScanCode forEvdev(unsigned evdevCode);

// The same for an X keycode (evdev code + 8).
inline ScanCode forXKeycode(unsigned keycode)
{
    return keycode >= 8 ? forEvdev(keycode - 8) : ScanCode{};
}

// Every row of the mapping, in evdev order.
const Row *rows();
std::size_t rowCount();

} // namespace EvdevScanCodes
