#pragma once

#include <memory>

// GNOME's mouse settings in GSettings (org.gnome.desktop.peripherals.mouse):
// "speed" and "double-click". GNOME keeps no wheel scroll lines.
class GnomePointer
{
public:
    GnomePointer();
    ~GnomePointer();
    GnomePointer(const GnomePointer &) = delete;
    GnomePointer &operator=(const GnomePointer &) = delete;

    // False when the schema is not installed.
    bool hasSpeed() const;
    bool hasDoubleClick() const;

    // Write, flush to the settings back end and read back; true when the
    // stored value is the one asked for.
    bool setSpeed(double acceleration);
    bool setDoubleClickMs(int milliseconds);

    double speed() const;
    int doubleClickMs() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
