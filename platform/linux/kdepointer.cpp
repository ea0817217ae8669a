#include "kdepointer.h"

#include "kdeconfigfile.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QHash>
#include <QStandardPaths>

namespace {

constexpr const char *kInputFile = "kcminputrc";
constexpr const char *kGlobalsFile = "kdeglobals";
constexpr const char *kMouseGroup = "Mouse";
constexpr const char *kGlobalsGroup = "KDE";
constexpr const char *kAccelerationKey = "XLbInptPointerAcceleration";
constexpr const char *kDoubleClickKey = "DoubleClickInterval";
constexpr const char *kWheelKey = "WheelScrollLines";

// KGlobalSettings: change type "settings changed", category "mouse".
constexpr int kSettingsChanged = 3;
constexpr int kMouseCategory = 0;

using ChangedEntries = QHash<QString, QByteArrayList>;

} // namespace

QString KdePointer::path(const char *file) const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/')
           + QLatin1String(file);
}

bool KdePointer::set(const char *file, const char *group, const char *key, const QString &value)
{
    KdeConfigFile config(path(file));
    if (!config.setEntry(QLatin1String(group), QLatin1String(key), value))
        return false;
    announce(file, group, key);
    return config.entry(QLatin1String(group), QLatin1String(key)) == value;
}

void KdePointer::announce(const char *file, const char *group, const char *key) const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The older notice, which Plasma's programs and kcminit act on...
    QDBusMessage global =
        QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                   QStringLiteral("org.kde.KGlobalSettings"), QStringLiteral("notifyChange"));
    global << kSettingsChanged << kMouseCategory;
    bus.send(global);
    // ...and the per-file one of KConfigWatcher.
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<ChangedEntries>();
    QDBusMessage changed =
        QDBusMessage::createSignal(QLatin1Char('/') + QLatin1String(file),
                                   QStringLiteral("org.kde.kconfig.notify"), QStringLiteral("ConfigChanged"));
    ChangedEntries entries;
    entries.insert(QLatin1String(group), QByteArrayList{QByteArray(key)});
    changed << QVariant::fromValue(entries);
    bus.send(changed);
}

bool KdePointer::setAcceleration(double acceleration)
{
    return set(kInputFile, kMouseGroup, kAccelerationKey, QString::number(acceleration, 'f', 1));
}

bool KdePointer::setDoubleClickMs(int milliseconds)
{
    return set(kGlobalsFile, kGlobalsGroup, kDoubleClickKey, QString::number(milliseconds));
}

bool KdePointer::setWheelScrollLines(int lines)
{
    return set(kGlobalsFile, kGlobalsGroup, kWheelKey, QString::number(lines));
}
