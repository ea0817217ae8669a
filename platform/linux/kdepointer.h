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
    // `configFolder`: empty for the user's own ($XDG_CONFIG_HOME or ~/.config).
    explicit KdePointer(const QString &configFolder = QString());

    bool setAcceleration(double acceleration);
    bool setDoubleClickMs(int milliseconds);
    bool setWheelScrollLines(int lines);

    // What the files hold now; NaN or -1 when the entry is missing.
    double acceleration() const;
    int doubleClickMs() const;
    int wheelScrollLines() const;

private:
    QString path(const char *file) const;
    bool set(const char *file, const char *group, const char *key, const QString &value);
    void announce(const char *file, const char *group, const char *key) const;

    QString m_folder;
};
