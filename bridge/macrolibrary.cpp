#include "macrolibrary.h"

#include "filedialogs.h"
#include "filewriting.h"
#include "settingsfiles.h"
#include "storeconventions.h"
#include "settingspath.h"
#include "settingsstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

constexpr int kButtonCount = 16;
constexpr int kMacroFunction = 4;

QString macroFilter()
{
    return QCoreApplication::translate("myQQuickView", "Macro(*.mc)");
}

QString nameListKey(const QVariant &type)
{
    bool ok = false;
    const uint code = type.toUInt(&ok);
    if (!ok)
        return QString();
    switch (code) {
    case 0:
        return QStringLiteral("macro/macroName");
    case 1:
        return QStringLiteral("gun/gunName");
    case 2:
        return QStringLiteral("profile/profileName");
    case 3:
        return QStringLiteral("gun/selectGun");
    default:
        return QString();
    }
}

} // namespace

MacroLibrary::MacroLibrary(SettingsFiles &files)
    : m_files(files)
{}

QString MacroLibrary::macroPath(const QString &name) const
{
    if (!Store::isSafeFileName(name))
        return QString();
    return m_files.modulesRoot() + QStringLiteral("/macro/") + name + QStringLiteral(".bin");
}

QString MacroLibrary::nameListPath() const
{
    return m_files.settingPath(QStringLiteral("name.bin"));
}

bool MacroLibrary::createMacroIni(const QString &name, const QVariant &macroIndex)
{
    const QString path = macroPath(name);
    if (path.isEmpty() || (QFileInfo::exists(path) && !QFileInfo(path).isFile()))
        return false;
    // A link planted in modules/macro must not carry our write elsewhere.
    if (!FileWriting::replaceLinkByCopy(path))
        return false;
    QSettings macro(SettingsPath::forStore(path), QSettings::IniFormat);
    macro.setValue(QStringLiteral("config/index"), macroIndex.toUInt());
    macro.setValue(QStringLiteral("config/total"), 0);
    macro.setValue(QStringLiteral("config/repeat"), 1);
    macro.setValue(QStringLiteral("config/did"), -1);
    return SettingsStore::commit(macro);
}

bool MacroLibrary::saveMacroIni(const QString &name, const QStringList &macros, const QVariant &repeat)
{
    const QString path = macroPath(name);
    if (path.isEmpty() || !SettingsPath::isReadable(path) || !FileWriting::replaceLinkByCopy(path))
        return false;
    QSettings macro(SettingsPath::forStore(path), QSettings::IniFormat);
    macro.remove(QStringLiteral("macro"));
    macro.setValue(QStringLiteral("config/total"), macros.size());
    macro.setValue(QStringLiteral("config/repeat"), Store::storedForm(repeat));
    for (int i = 0; i < macros.size(); ++i)
        macro.setValue(QStringLiteral("macro/%1").arg(i), macros.at(i));
    return SettingsStore::commit(macro);
}

QStringList MacroLibrary::loadMacroIni(const QString &name) const
{
    const QString path = macroPath(name);
    if (path.isEmpty() || !SettingsPath::isReadable(path))
        return {};
    const QSettings macro(SettingsPath::forStore(path), QSettings::IniFormat);
    bool ok = false;
    const int total = std::clamp(macro.value(QStringLiteral("config/total")).toInt(&ok), 0, kMaxEvents);
    QStringList result;
    for (int i = 0; ok && i < total; ++i)
        result.append(macro.value(QStringLiteral("macro/%1").arg(i), QStringLiteral("0")).toString());
    result.append(macro.value(QStringLiteral("config/repeat"), QStringLiteral("0")).toString());
    return result;
}

bool MacroLibrary::deleteMacroIni(const QString &name)
{
    const QString path = macroPath(name);
    return !path.isEmpty() && QFileInfo(path).isFile() && QFile::remove(path);
}

bool MacroLibrary::modifyMacroNameUpdateProfile(const QString &oldname, const QString &newname)
{
    const QString from = macroPath(oldname);
    const QString to = macroPath(newname);
    if (from.isEmpty() || to.isEmpty() || !QFileInfo(from).isFile())
        return false;
    // Buttons follow the name only once the file carries it: renaming them
    // onto a name whose file could not be taken would bind them to another
    // macro.
    if (!Store::renameToNewFile(from, to))
        return false;
    for (int p = 0; p < kSceneProfiles; ++p) {
        QSettings *profile = m_files.profile(p);
        profile->beginGroup(QStringLiteral("mouseMacroKey"));
        const QStringList slotKeys = profile->childKeys();
        for (const QString &slot : slotKeys) {
            if (profile->value(slot, QString()).toString() == oldname)
                profile->setValue(slot, newname);
        }
        profile->endGroup();
        SettingsStore::commit(*profile);
    }
    return true;
}

void MacroLibrary::deleteMacroUpdateProfile(const QString &macroName)
{
    if (macroName.isEmpty())
        return;
    QSettings &factory = m_files.factory();
    for (int p = 0; p < kSceneProfiles; ++p) {
        QSettings *profile = m_files.profile(p);
        bool changed = false;
        for (int i = 0; i < kButtonCount; ++i) {
            const QString key = QStringLiteral("mouseKeyMatrix/%1").arg(i);
            const QVariantList entry = Store::toTextList(profile->value(key));
            // An entry too short to name a macro slot runs no macro.
            if (entry.size() < 3)
                continue;
            bool isNumber = false;
            if (entry.at(0).toInt(&isNumber) != kMacroFunction || !isNumber)
                continue;
            const int slot = entry.at(2).toInt(&isNumber);
            if (!isNumber
                || profile->value(QStringLiteral("mouseMacroKey/%1").arg(slot)).toString() != macroName)
                continue;
            const QVariant factoryEntry = factory.value(key);
            if (!factoryEntry.isValid())
                continue;
            profile->setValue(key, Store::storedForm(factoryEntry));
            changed = true;
        }
        if (changed)
            SettingsStore::commit(*profile);
    }
}

bool MacroLibrary::loadMacroFile(const QString &macroFileName, const QString &chosenPath)
{
    const QString target = macroPath(macroFileName);
    if (target.isEmpty() || chosenPath.isEmpty())
        return false;
    const QFileInfo existing(target);
    if (existing.exists())
        return existing.isFile();
    return Store::copyToNewFile(chosenPath, target);
}

bool MacroLibrary::loadMacroFile(const QString &macroFileName, FileDialogs &dialogs)
{
    if (macroPath(macroFileName).isEmpty())
        return false;
    return loadMacroFile(
        macroFileName,
        dialogs.openFile(QCoreApplication::translate("myQQuickView", "Open File"), macroFilter()));
}

bool MacroLibrary::saveMacroFile(const QString &macroFileName, const QString &chosenPath)
{
    const QString source = macroPath(macroFileName);
    if (source.isEmpty() || chosenPath.isEmpty() || !QFileInfo(source).isFile())
        return false;
    if (!Store::replaceFile(source, chosenPath))
        return false;
    m_files.reopenIfStore(chosenPath);
    return true;
}

bool MacroLibrary::saveMacroFile(const QString &macroFileName, FileDialogs &dialogs)
{
    if (macroPath(macroFileName).isEmpty())
        return false;
    const QString filter = macroFilter();
    const QString chosen = dialogs.saveFile(QCoreApplication::translate("myQQuickView", "Save File"), filter,
                                            FileDialogs::proposedName(macroFileName, filter));
    return saveMacroFile(macroFileName, FileDialogs::withSuffixOf(chosen, filter));
}

bool MacroLibrary::updataNameList(const QVariant &type, const QStringList &nameList)
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return false;
    QSettings names(SettingsPath::forStore(nameListPath()), QSettings::IniFormat);
    if (nameList.isEmpty())
        names.remove(key);
    else
        names.setValue(key, Store::withFiller(nameList));
    return SettingsStore::commit(names);
}

QVariantList MacroLibrary::getNameList(const QVariant &type) const
{
    const QString key = nameListKey(type);
    if (key.isEmpty())
        return {};
    const QSettings names(SettingsPath::forStore(nameListPath()), QSettings::IniFormat);
    return Store::toTextList(names.value(key));
}
