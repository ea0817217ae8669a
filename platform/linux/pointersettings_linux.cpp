#include "pointersettings.h"

#include "gnomepointer.h"
#include "kdepointer.h"
#include "pointerscales.h"

#include <QByteArrayList>

namespace {

enum class Desktop { None, Gnome, Kde };

// XDG_CURRENT_DESKTOP is a colon-separated list, most specific first
// ("ubuntu:GNOME", "KDE"). GNOME's relatives keep GNOME's mouse settings.
Desktop currentDesktop()
{
    const QByteArrayList names = qgetenv("XDG_CURRENT_DESKTOP").toUpper().split(':');
    for (const QByteArray &name : names) {
        if (name == "KDE")
            return Desktop::Kde;
        if (name == "GNOME" || name == "GNOME-CLASSIC" || name == "GNOME-FLASHBACK" || name == "UNITY"
            || name == "BUDGIE")
            return Desktop::Gnome;
    }
    return Desktop::None;
}

} // namespace

struct PointerSettings::Impl
{
    Desktop desktop = currentDesktop();
    std::unique_ptr<GnomePointer> gnome;
    std::unique_ptr<KdePointer> kde;
};

PointerSettings::PointerSettings()
    : d(std::make_unique<Impl>())
{
    if (d->desktop == Desktop::Gnome)
        d->gnome = std::make_unique<GnomePointer>();
    else if (d->desktop == Desktop::Kde)
        d->kde = std::make_unique<KdePointer>();
}

PointerSettings::~PointerSettings() = default;

QString PointerSettings::desktop() const
{
    if (d->gnome && (d->gnome->hasSpeed() || d->gnome->hasDoubleClick()))
        return QStringLiteral("GNOME");
    if (d->kde)
        return QStringLiteral("KDE Plasma");
    return QString();
}

bool PointerSettings::isAvailable(Setting setting) const
{
    if (d->kde)
        return true;
    if (!d->gnome)
        return false;
    switch (setting) {
    case CursorSpeed:
        return d->gnome->hasSpeed();
    case DoubleClickSpeed:
        return d->gnome->hasDoubleClick();
    case WheelScrollLines:
        return false;
    }
    return false;
}

bool PointerSettings::setCursorSpeed(uint step)
{
    const double acceleration = PointerScales::acceleration(step);
    if (d->gnome)
        return d->gnome->setSpeed(acceleration);
    return d->kde && d->kde->setAcceleration(acceleration);
}

bool PointerSettings::setDoubleClickSpeed(uint step)
{
    const int milliseconds = static_cast<int>(PointerScales::doubleClickTimeMs(step));
    if (d->gnome)
        return d->gnome->setDoubleClickMs(milliseconds);
    return d->kde && d->kde->setDoubleClickMs(milliseconds);
}

bool PointerSettings::setWheelScrollLines(uint lines)
{
    return d->kde && d->kde->setWheelScrollLines(static_cast<int>(PointerScales::wheelScrollLines(lines)));
}
