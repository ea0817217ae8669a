// Values of the settings files as kx20ctl reads them.
#include "ctlcommands.h"

#include "ctlstoredvalues.h"
#include "storeconventions.h"

namespace CtlCommands {

std::optional<int> configInt(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int v = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// The list's values as whole numbers within [low, high]; nothing when one is not.
std::optional<QList<int>> intList(const QVariantList &values, int low, int high)
{
    QList<int> out;
    for (const QVariant &v : values) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok || n < low || n > high)
            return std::nullopt;
        out.append(n);
    }
    return out;
}

std::optional<int> storedInt(const QVariant &value, int low, int high)
{
    const std::optional<int> v = configInt(value);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return v;
}

QString shown(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("missing");
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return QStringLiteral("'%1'").arg(value.toStringList().join(QStringLiteral(", ")));
    return QStringLiteral("'%1'").arg(value.toString());
}

QString shownList(const QVariantList &values)
{
    return values.isEmpty() ? QStringLiteral("missing") : shown(QVariant(values));
}

QVariantList toVariants(const QList<int> &values)
{
    QVariantList out;
    for (int v : values)
        out.append(v);
    return out;
}

// Fire periods of the gun records chosen for slots 1..3 ("mouse/selectGun";
// the gun page's reset choice 0, 1, 2 when none is stored).
std::optional<QVariantList> firePeriods(const QVariant &selectGun, const GunRecords &guns, QString &error)
{
    const QVariantList chosen = selectGun.isValid() ? Store::toTextList(selectGun) : QVariantList{0, 1, 2};
    const std::optional<QList<int>> records = intList(chosen, 0, kGunRecords - 1);
    if (!records || records->size() != kGunSlots) {
        error = QStringLiteral("apConfig.bin: mouse/selectGun %1 is not three gun records 0-5")
                    .arg(shown(selectGun));
        return std::nullopt;
    }
    QVariantList periods;
    for (int record : *records) {
        const QVariantList gun = record < guns.size() ? guns.at(record) : QVariantList();
        const std::optional<int> period =
            gun.size() > kGunPeriodIndex ? storedInt(gun.at(kGunPeriodIndex), 0, 255) : std::nullopt;
        if (!period) {
            error = QStringLiteral("gunData.bin: gun record %1 has no fire period 0-255").arg(record);
            return std::nullopt;
        }
        periods.append(*period);
    }
    return periods;
}

} // namespace CtlCommands
