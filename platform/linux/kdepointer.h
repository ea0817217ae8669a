#pragma once

#include <QString>

// KDE Plasma's pointer settings in its configuration files under the user's
// configuration folder: the pointer acceleration in kcminputrc [Mouse]
// (XLbInptPointerAcceleration, -1 to 1), the double-click interval and the
// wheel scroll lines in kdeglobals [KDE]. After a change Plasma's programs
// are told over the session bus, as its own settings pages do, so that they
// read the files again.
class KdePointer
{
public:
    // Each writes its entry in the user's configuration folder
    // ($XDG_CONFIG_HOME or ~/.config), tells Plasma, and reads the file
    // back: true when it holds the new value.
    bool setAcceleration(double acceleration);
    bool setDoubleClickMs(int milliseconds);
    bool setWheelScrollLines(int lines);

private:
    QString path(const char *file) const;
    bool set(const char *file, const char *group, const char *key, const QString &value);
    void announce(const char *file, const char *group, const char *key) const;
};
