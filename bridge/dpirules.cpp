#include "dpirules.h"

#include "dpilimits.h"

QVariantMap DpiRules::limits(const QVariant &minDPI, const QVariant &maxDPI, const QVariant &dpiBase,
                             const QString &sensorType) const
{
    const DpiLimits checked = DpiLimits::fromConfig(minDPI, maxDPI, dpiBase, sensorType.trimmed());
    return {{QStringLiteral("minDPI"), checked.range.min},
            {QStringLiteral("maxDPI"), checked.range.max},
            {QStringLiteral("dpiBase"), checked.range.step},
            {QStringLiteral("problem"), checked.problem}};
}
