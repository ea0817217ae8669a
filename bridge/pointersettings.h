#pragma once

#include <QtGlobal>

// The user's system-wide pointer settings that the system-settings page
// changes: pointer speed, double-click time and wheel scroll lines. These do
// not touch the mouse.
namespace PointerSettings {

// Slider steps 0..10 give the system speeds 1, 2, 4, ..., 20; the system
// takes no more than 20.
uint systemCursorSpeed(uint step);
// Slider steps 0..10 give 900, 830, ..., 200 ms; a larger step stays at 200 ms.
uint doubleClickTimeMs(uint step);
// Lines per wheel notch, passed through (1000 = a screen at a time).
uint wheelScrollLines(uint lines);

// Apply a setting for the signed-in user and tell every window; where the
// system has no such setting, or refuses it, write the failure line.
void mouseSetCursorSpeed(uint cursorSpeed);
void mouseSetDoubleClickSpeed(uint speed);
void mouseSetVerticalScrollLines(uint lines);

} // namespace PointerSettings
