#include "pointersettings.h"

#include <QDebug>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace PointerSettings {

namespace {

constexpr uint kMaxCursorSpeed = 20;
constexpr uint kSlowestDoubleClickMs = 900;
constexpr uint kDoubleClickStepMs = 70;
constexpr uint kLastDoubleClickStep = 10;

#ifdef Q_OS_WIN
// Written to the user profile and broadcast to all windows.
constexpr UINT kUpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
#endif

bool applyCursorSpeed(uint speed)
{
#ifdef Q_OS_WIN
    return SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)),
                                 kUpdateAndBroadcast)
           != FALSE;
#else
    Q_UNUSED(speed);
    return false; // no common equivalent on this system
#endif
}

bool applyDoubleClickTime(uint milliseconds)
{
#ifdef Q_OS_WIN
    return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, milliseconds, nullptr, kUpdateAndBroadcast) != FALSE;
#else
    Q_UNUSED(milliseconds);
    return false;
#endif
}

bool applyWheelScrollLines(uint lines)
{
#ifdef Q_OS_WIN
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, kUpdateAndBroadcast) != FALSE;
#else
    Q_UNUSED(lines);
    return false;
#endif
}

} // namespace

uint systemCursorSpeed(uint step)
{
    if (step == 0)
        return 1;
    return step >= kMaxCursorSpeed / 2 ? kMaxCursorSpeed : 2 * step;
}

uint doubleClickTimeMs(uint step)
{
    // Beyond the last step the time would shrink below 200 ms and then wrap.
    const uint clamped = step > kLastDoubleClickStep ? kLastDoubleClickStep : step;
    return kSlowestDoubleClickMs - kDoubleClickStepMs * clamped;
}

uint wheelScrollLines(uint lines)
{
    return lines;
}

void mouseSetCursorSpeed(uint cursorSpeed)
{
    if (!applyCursorSpeed(systemCursorSpeed(cursorSpeed)))
        qDebug().noquote() << QStringLiteral("setCursorSpeed Failed");
}

void mouseSetDoubleClickSpeed(uint speed)
{
    if (!applyDoubleClickTime(doubleClickTimeMs(speed)))
        qDebug().noquote() << QStringLiteral("setDoubleClickSpeed Failed");
}

void mouseSetVerticalScrollLines(uint lines)
{
    if (!applyWheelScrollLines(wheelScrollLines(lines)))
        qDebug().noquote() << QStringLiteral("setVerticalScrollLines Failed");
}

} // namespace PointerSettings
