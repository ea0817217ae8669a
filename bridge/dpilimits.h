#pragma once

#include "dpiencoding.h"

#include <QString>
#include <QVariant>

class SettingsFiles;

// The DPI range the user may choose from: "mouse/minDPI", "mouse/maxDPI" and
// "mouse/dpiBase" of the application file, when they make sense for the
// configured sensor. Damaged limits (missing, not numbers, a step of 0, the
// minimum not below the maximum, or beyond what the sensor encodes) give way
// to the sensor's own range, so they never reach a profile or the mouse.
struct DpiLimits
{
    DpiEncoding::Range range;
    QString sensorType;
    // Why the configured limits were not used; empty when they were.
    QString problem;

    static DpiLimits fromConfig(const QVariant &minDPI, const QVariant &maxDPI, const QVariant &dpiBase,
                                const QString &sensorType);
    // Reads the application file. Damaged limits are told once per process
    // and problem, on one line naming the file.
    static DpiLimits read(const SettingsFiles &files);

    // Why `dpi` cannot be chosen; empty when it can.
    QString refusal(int dpi) const;
};
