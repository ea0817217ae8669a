#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// The DPI page's range, decided by the same check kx20ctl uses (DpiLimits),
// for the scene as the singleton DpiRules.
class DpiRules : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // "minDPI", "maxDPI" and "dpiBase" the page offers for the stored limits
    // and sensor, and "problem": why the stored limits were not used (empty
    // when they were).
    Q_INVOKABLE QVariantMap limits(const QVariant &minDPI, const QVariant &maxDPI, const QVariant &dpiBase,
                                   const QString &sensorType) const;
};
