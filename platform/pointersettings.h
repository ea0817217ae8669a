#pragma once

#include <QString>

#include <memory>

// The signed-in user's pointer settings that the system-setting page
// changes: pointer speed, double-click time and wheel scroll lines. They
// belong to the system, not to the mouse. Windows keeps all three; on Linux
// the desktop does: GNOME in GSettings, KDE Plasma in its configuration
// files. A desktop without a place for a setting makes it unavailable, and
// the page says so beside that control.
class PointerSettings
{
public:
    enum Setting { CursorSpeed, DoubleClickSpeed, WheelScrollLines };

    // Looks once at which desktop the user runs.
    PointerSettings();
    ~PointerSettings();
    PointerSettings(const PointerSettings &) = delete;
    PointerSettings &operator=(const PointerSettings &) = delete;

    // The desktop whose settings are changed ("Windows", "GNOME", "KDE
    // Plasma"), or empty when none is known.
    QString desktop() const;
    bool isAvailable(Setting setting) const;

    // Each takes the page's value (PointerScales gives the rule), applies it
    // for the user, lets running programs know, and tells whether the
    // desktop took it.
    bool setCursorSpeed(uint step);
    bool setDoubleClickSpeed(uint step);
    bool setWheelScrollLines(uint lines);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
