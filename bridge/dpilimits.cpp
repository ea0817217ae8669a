#include "dpilimits.h"

#include "settingsfiles.h"

#include <QDebug>
#include <QMutex>
#include <QSet>

#include <optional>

namespace {

// A whole number as the file holds it; nothing for anything else.
std::optional<int> storedInt(const QVariant &value)
{
    bool ok = false;
    const int v = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

QString shown(const QVariant &value)
{
    return value.isValid() ? QStringLiteral("'%1'").arg(value.toString()) : QStringLiteral("missing");
}

void warnOnce(const QString &line)
{
    static QMutex mutex;
    static QSet<QString> told;
    const QMutexLocker lock(&mutex);
    if (told.contains(line))
        return;
    told.insert(line);
    qWarning().noquote() << line;
}

} // namespace

DpiLimits DpiLimits::fromConfig(const QVariant &minDPI, const QVariant &maxDPI, const QVariant &dpiBase,
                                const QString &sensorType)
{
    DpiLimits limits;
    limits.sensorType = sensorType;
    const DpiEncoding::Range sensor = DpiEncoding::sensorRange(sensorType);
    limits.range = sensor;
    const std::optional<int> low = storedInt(minDPI);
    const std::optional<int> high = storedInt(maxDPI);
    const std::optional<int> step = storedInt(dpiBase);
    const QString given = QStringLiteral("mouse/minDPI %1, mouse/maxDPI %2, mouse/dpiBase %3")
                              .arg(shown(minDPI), shown(maxDPI), shown(dpiBase));
    if (!low || !high || !step)
        limits.problem = given + QStringLiteral(" are not all whole numbers");
    else if (*step <= 0)
        limits.problem = given + QStringLiteral(": the step must be above 0");
    else if (*low >= *high)
        limits.problem = given + QStringLiteral(": the minimum must be below the maximum");
    else if (!sensor.contains(*low) || !sensor.contains(*high))
        limits.problem = given
                         + QStringLiteral(": sensor %1 takes %2 to %3 DPI")
                               .arg(sensorType.isEmpty() ? QStringLiteral("(none named)") : sensorType)
                               .arg(sensor.min)
                               .arg(sensor.max);
    else
        limits.range = {*low, *high, *step};
    return limits;
}

DpiLimits DpiLimits::read(const SettingsFiles &files)
{
    const QString sensorType = files.getGlobalData(QStringLiteral("mouse/sensorType")).toString().trimmed();
    DpiLimits limits = fromConfig(files.getGlobalData(QStringLiteral("mouse/minDPI")),
                                  files.getGlobalData(QStringLiteral("mouse/maxDPI")),
                                  files.getGlobalData(QStringLiteral("mouse/dpiBase")), sensorType);
    if (!limits.problem.isEmpty())
        warnOnce(QStringLiteral("%1: %2; using the sensor's own range %3 to %4 DPI in steps of %5")
                     .arg(files.settingPath(QStringLiteral("apConfig.bin")), limits.problem)
                     .arg(limits.range.min)
                     .arg(limits.range.max)
                     .arg(limits.range.step));
    return limits;
}

QString DpiLimits::refusal(int dpi) const
{
    if (dpi < range.min)
        return QStringLiteral("%1 DPI is below the lowest value %2").arg(dpi).arg(range.min);
    if (dpi > range.max)
        return QStringLiteral("%1 DPI is above the highest value %2").arg(dpi).arg(range.max);
    if (range.step > 0 && dpi % range.step != 0)
        return QStringLiteral("%1 DPI is not a multiple of the step %2").arg(dpi).arg(range.step);
    return {};
}
