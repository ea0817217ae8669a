#include "mousemodel.h"

#include <QSettings>

bool MouseModel::is560() const
{
    return icType == QLatin1String("560");
}

MouseModel MouseModel::fromConfig(const QSettings &apConfig)
{
    MouseModel model;
    model.icType = apConfig.value(QStringLiteral("mouse/icType")).toString();
    // QVariant's text-to-bool rule is the file's: empty, 0 or false (any case) is false.
    model.isColorful = apConfig.value(QStringLiteral("mouse/isColorful")).toBool();
    model.isGun = apConfig.value(QStringLiteral("mouse/isGun")).toBool();
    model.is55328 = apConfig.value(QStringLiteral("mouse/is55328")).toBool();
    model.is571 = apConfig.value(QStringLiteral("mouse/is571")).toBool();
    return model;
}
