#include "gunlibrary.h"

#include "settingsfiles.h"
#include "storeconventions.h"
#include "settingspath.h"
#include "settingsstore.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("gunData");

QStringList textsOf(const QVariantList &values, int from, int count)
{
    QStringList texts;
    for (int i = from; i < from + count; ++i)
        texts.append(values.at(i).toString());
    return texts;
}

} // namespace

GunLibrary::GunLibrary(SettingsFiles &files)
    : m_files(files)
{}

QString GunLibrary::gunFilePath() const
{
    return m_files.modulesRoot() + QStringLiteral("/gun/gunData.bin");
}

bool GunLibrary::hasLibrary() const
{
    return SettingsPath::isReadable(gunFilePath());
}

bool GunLibrary::mouseSaveGundata(const QString &index, const QVariantList &src6)
{
    const QString key = Store::entryKey(kGroup, index);
    if (key.isEmpty() || src6.size() < kEntrySize || !hasLibrary())
        return false;
    QSettings guns(SettingsPath::forStore(gunFilePath()), QSettings::IniFormat);
    return Store::write(guns, key, textsOf(src6, 0, kEntrySize));
}

bool GunLibrary::modifyGundata(const QVariant &modifyType, const QVariantList &src6)
{
    bool ok = false;
    const int type = modifyType.toInt(&ok);
    if (!ok || !hasLibrary())
        return false;
    if (type == 0 && !src6.isEmpty()) {
        // A name of nothing but slashes would take the whole library with it.
        const QString key = Store::entryKey(kGroup, src6.at(0).toString());
        if (key.isEmpty())
            return false;
        QSettings guns(SettingsPath::forStore(gunFilePath()), QSettings::IniFormat);
        guns.remove(key);
        return SettingsStore::commit(guns);
    }
    if (type == 1 && src6.size() > kEntrySize) {
        const QString key = Store::entryKey(kGroup, src6.at(0).toString());
        if (key.isEmpty())
            return false;
        QSettings guns(SettingsPath::forStore(gunFilePath()), QSettings::IniFormat);
        const QString oldKey = Store::entryKey(kGroup, src6.at(kEntrySize).toString());
        if (!oldKey.isEmpty())
            guns.remove(oldKey);
        return Store::write(guns, key, textsOf(src6, 1, kEntrySize - 1));
    }
    return false;
}

QVariantList GunLibrary::getGunData(const QString &name) const
{
    const QString key = Store::entryKey(kGroup, name);
    if (key.isEmpty() || !hasLibrary())
        return {};
    const QSettings guns(SettingsPath::forStore(gunFilePath()), QSettings::IniFormat);
    return Store::toTextList(guns.value(key, 0));
}

QStringList GunLibrary::getGunDataKey() const
{
    if (!hasLibrary())
        return {};
    QSettings guns(SettingsPath::forStore(gunFilePath()), QSettings::IniFormat);
    guns.beginGroup(kGroup);
    return guns.childKeys();
}

QVariant GunLibrary::getXYSensitive(const QString &index) const
{
    const QString key = Store::entryKey(QStringLiteral("XYSensitive"), index);
    return key.isEmpty() ? QVariant(4) : m_files.current().value(key, 4);
}

QVariant GunLibrary::getselectGun(const QString &index) const
{
    const QString key = Store::entryKey(QStringLiteral("selectGun"), index);
    return key.isEmpty() ? QVariant(QString()) : m_files.current().value(key, QString());
}

void GunLibrary::setXYSensitive(const QString &index, const QVariant &xyData)
{
    Store::write(m_files.current(), Store::entryKey(QStringLiteral("XYSensitive"), index), xyData);
}

void GunLibrary::setSelectGun(const QString &index, const QVariant &xyData)
{
    Store::write(m_files.current(), Store::entryKey(QStringLiteral("selectGun"), index), xyData);
}
