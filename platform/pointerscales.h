#pragma once

#include <QtGlobal>

// How the system-setting page's scales read in each desktop's own units, both
// ways. The page has eleven steps (0 slow to 10 fast) for the pointer speed
// and for the double-click speed, and a number of wheel lines where 1000
// means a screen at a time.
//
// - Windows: speed 1, 2, 4, ..., 20 (2 x step, 1 for step 0); double-click
//   900 - 70 x step ms; lines as they are.
// - libinput desktops (GNOME, KDE Plasma): pointer acceleration from -1
//   (slowest) to 1 (fastest) in even steps of 0.2, step 5 being the
//   desktop's default 0; double-click the same milliseconds as Windows;
//   lines as they are (Qt clamps a wheel step to one page, so 1000 is a
//   screen at a time there too).
//
// Reading back takes the nearest step, so a value the user set elsewhere
// shows at the closest place on the page.
namespace PointerScales {

constexpr uint kLastStep = 10;
constexpr uint kOneScreen = 1000;
constexpr uint kMaxLines = 100;

uint windowsCursorSpeed(uint step);
uint stepOfWindowsCursorSpeed(uint speed);

double acceleration(uint step);
uint stepOfAcceleration(double acceleration);

uint doubleClickTimeMs(uint step);
uint stepOfDoubleClickTimeMs(int milliseconds);

uint wheelScrollLines(uint lines);
// More lines than the page offers read as a screen at a time; none as one.
uint linesOfWheelScrollLines(int lines);

} // namespace PointerScales
