#include "deviceentry.h"

#include "settingspath.h"

#include <QSettings>

#include <algorithm>

namespace {

quint16 hex16(const QSettings &settings, const QString &key)
{
    return static_cast<quint16>(DeviceEntry::parseHex(settings.value(key).toString()) & 0xFFFF);
}

} // namespace

quint32 DeviceEntry::parseHex(const QString &text)
{
    bool ok = false;
    const qulonglong value = text.trimmed().toULongLong(&ok, 16);
    return ok ? static_cast<quint32>(value & 0xFFFFFFFFu) : 0;
}

DeviceEntry DeviceEntry::fromSettings(const QSettings &settings, const QString &group)
{
    const QString g = group + QLatin1Char('/');
    DeviceEntry e;
    const QVariant type = settings.value(g + QStringLiteral("type"));
    if (type.isValid())
        e.type = static_cast<int>(parseHex(type.toString()));
    e.vid = hex16(settings, g + QStringLiteral("vid"));
    e.pid = hex16(settings, g + QStringLiteral("pid"));
    e.usagePage = hex16(settings, g + QStringLiteral("usagePage"));
    e.usage = hex16(settings, g + QStringLiteral("usage"));
    e.usagePage2 = hex16(settings, g + QStringLiteral("usagePage2"));
    e.usage2 = hex16(settings, g + QStringLiteral("usage2"));

    const QVariant length = settings.value(g + QStringLiteral("reportLength"));
    if (length.isValid()) {
        bool ok = false;
        const qlonglong value = length.toString().trimmed().toLongLong(&ok);
        e.reportLength =
            static_cast<int>(std::clamp<qlonglong>(ok ? value : 0, kMinReportLength, kMaxReportLength));
    }

    const QString encode = settings.value(g + QStringLiteral("isEncode")).toString().trimmed();
    e.isEncode = !encode.isEmpty() && encode != QLatin1String("0")
                 && encode.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;

    const QVariant sCode = settings.value(g + QStringLiteral("sCode"));
    if (sCode.isValid())
        e.sCode = sCode.toString();
    return e;
}

QList<DeviceEntry> DeviceEntry::readTable(const QString &iniPath)
{
    QSettings settings(SettingsPath::forStore(iniPath), QSettings::IniFormat);
    bool ok = false;
    const int count = settings.value(QStringLiteral("common/deviceCount")).toString().toInt(&ok);
    QList<DeviceEntry> table;
    // A count in the thousands is a damaged file, not a device list.
    const int rows = ok ? std::clamp(count, 0, 256) : 0;
    for (int n = 0; n < rows; ++n)
        table.append(fromSettings(settings, QString::number(n)));
    return table;
}
