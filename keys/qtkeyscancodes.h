#pragma once

#include "scancode.h"

#include <Qt>

// The scan code Windows reports for a Qt key on the US layout (main keys
// only; the keypad modifier picks the keypad's keys): what our own window's
// key events give when the platform passes no native scan code.
ScanCode scanCodeForQtKey(int key, Qt::KeyboardModifiers modifiers);
