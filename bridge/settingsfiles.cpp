#include "settingsfiles.h"

#include "filedialogs.h"
#include "settingspath.h"
#include "storeconventions.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

std::unique_ptr<QSettings> openStore(const QString &path)
{
    return std::make_unique<QSettings>(SettingsPath::forStore(path), QSettings::IniFormat);
}

QString openCaption()
{
    return QCoreApplication::translate("myQQuickView", "Open File");
}

QString saveCaption()
{
    return QCoreApplication::translate("myQQuickView", "Save File");
}

QString profileFilter()
{
    return QCoreApplication::translate("myQQuickView", "Profile(*.pf)");
}

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

SettingsFiles::SettingsFiles(const QString &modulesRoot)
    : m_root(QFileInfo(modulesRoot).absoluteFilePath())
{
    m_application = openStore(settingPath(QStringLiteral("apConfig.bin")));
    m_factory = openStore(settingPath(QStringLiteral("pD.bin")));
    for (int n = 0; n < kProfileCount; ++n)
        m_profiles[n] = openStore(profilePath(n));
}

SettingsFiles::~SettingsFiles()
{
    syncAll();
}

QString SettingsFiles::settingPath(const QString &fileName) const
{
    return m_root + QStringLiteral("/setting/") + fileName;
}

QString SettingsFiles::profilePath(int profile) const
{
    return settingPath(QStringLiteral("p%1.bin").arg(qint64(profile) + 1));
}

void SettingsFiles::setCurrentProfile(int profile)
{
    if (isProfile(profile))
        m_currentProfile = profile;
}

QSettings &SettingsFiles::readStore(bool isRecovery) const
{
    return isRecovery ? *m_factory : *m_profiles[m_currentProfile];
}

QVariant SettingsFiles::getData(const QString &key, bool isRecovery) const
{
    return Store::isUsableKey(key) ? readStore(isRecovery).value(key) : QVariant();
}

QVariantList SettingsFiles::getDataList(const QString &key, bool isRecovery) const
{
    return Store::toTextList(getData(key, isRecovery));
}

QVariantList SettingsFiles::mouseGetKeydefine(const QString &index, bool isRecovery) const
{
    const QString key = Store::entryKey(QStringLiteral("mouseKeyMatrix"), index);
    return key.isEmpty() ? QVariantList() : Store::toTextList(readStore(isRecovery).value(key, 0));
}

QVariant SettingsFiles::getGlobalData(const QString &key) const
{
    return Store::isUsableKey(key) ? m_application->value(key) : QVariant();
}

bool SettingsFiles::getGlobalBool(const QString &key) const
{
    return Store::toBool(getGlobalData(key));
}

void SettingsFiles::setData(const QString &key, const QVariant &data)
{
    Store::write(current(), key, data);
}

void SettingsFiles::setDataList(const QString &key, const QVariantList &datalist)
{
    Store::write(current(), key, datalist);
}

void SettingsFiles::setGlobalData(const QString &key, const QVariant &data)
{
    Store::write(application(), key, data);
}

void SettingsFiles::syncAll()
{
    m_application->sync();
    m_factory->sync();
    for (const auto &store : m_profiles)
        store->sync();
}

bool SettingsFiles::replaceStore(std::unique_ptr<QSettings> &store, const QString &source)
{
    // Every store's changes go to disk first, so a source that is one of our
    // own files is copied as the user last saw it, and the old store has
    // nothing left to write. It goes now, not later, so it can never write its
    // remembered values over the new file.
    syncAll();
    const QString path = SettingsPath::original(store->fileName());
    store.reset();
    const bool replaced = Store::replaceFile(source, path);
    store = openStore(path);
    return replaced;
}

void SettingsFiles::reopen(std::unique_ptr<QSettings> &store)
{
    const QString path = SettingsPath::original(store->fileName());
    store->sync();
    store.reset();
    store = openStore(path);
}

void SettingsFiles::reopenIfStore(const QString &path)
{
    if (sameFile(path, SettingsPath::original(m_application->fileName())))
        reopen(m_application);
    if (sameFile(path, SettingsPath::original(m_factory->fileName())))
        reopen(m_factory);
    for (auto &store : m_profiles) {
        if (sameFile(path, SettingsPath::original(store->fileName())))
            reopen(store);
    }
}

bool SettingsFiles::resetApconfig()
{
    return replaceStore(m_application, settingPath(QStringLiteral("apConfigD.bin")));
}

bool SettingsFiles::resetProfile(int profile)
{
    return isProfile(profile) && replaceStore(m_profiles[profile], settingPath(QStringLiteral("pD.bin")));
}

bool SettingsFiles::copyProfile(int destprofile, int srcprofile)
{
    // A profile copied onto itself is already what it should become.
    if (!isProfile(destprofile) || !isProfile(srcprofile) || destprofile == srcprofile)
        return false;
    return replaceStore(m_profiles[destprofile], profilePath(srcprofile));
}

bool SettingsFiles::loadProfile(int profile, const QString &chosenPath)
{
    if (!isProfile(profile) || chosenPath.isEmpty())
        return false;
    return replaceStore(m_profiles[profile], chosenPath);
}

bool SettingsFiles::loadProfile(int profile, FileDialogs &dialogs)
{
    if (!isProfile(profile))
        return false;
    return loadProfile(profile, dialogs.openFile(openCaption(), profileFilter()));
}

bool SettingsFiles::saveProfile(int profile, const QString &chosenPath)
{
    if (!isProfile(profile) || chosenPath.isEmpty())
        return false;
    syncAll();
    const bool saved = Store::replaceFile(profilePath(profile), chosenPath);
    if (saved)
        reopenIfStore(chosenPath);
    return saved;
}

bool SettingsFiles::saveProfile(int profile, FileDialogs &dialogs, const QString &profileName)
{
    if (!isProfile(profile))
        return false;
    const QString filter = profileFilter();
    return saveProfile(
        profile,
        FileDialogs::withSuffixOf(
            dialogs.saveFile(saveCaption(), filter, FileDialogs::proposedName(profileName, filter)), filter));
}
