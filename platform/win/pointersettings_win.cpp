#include "pointersettings.h"

#include "pointerscales.h"

#include <windows.h>

namespace {

// Written to the user profile and broadcast to all windows.
constexpr UINT kUpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

} // namespace

struct PointerSettings::Impl
{
};

PointerSettings::PointerSettings()
    : d(std::make_unique<Impl>())
{}

PointerSettings::~PointerSettings() = default;

QString PointerSettings::desktop() const
{
    return QStringLiteral("Windows");
}

bool PointerSettings::isAvailable(Setting) const
{
    return true;
}

bool PointerSettings::setCursorSpeed(uint step)
{
    const UINT speed = PointerScales::windowsCursorSpeed(step);
    // The speed travels in the pointer argument.
    return SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)),
                                 kUpdateAndBroadcast)
           != FALSE;
}

bool PointerSettings::setDoubleClickSpeed(uint step)
{
    return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, PointerScales::doubleClickTimeMs(step), nullptr,
                                 kUpdateAndBroadcast)
           != FALSE;
}

bool PointerSettings::setWheelScrollLines(uint lines)
{
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, PointerScales::wheelScrollLines(lines), nullptr,
                                 kUpdateAndBroadcast)
           != FALSE;
}
