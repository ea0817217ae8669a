#include "languagechoice.h"

#include "settingspath.h"
#include "storeconventions.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>

namespace {

const QString kEnglish = QStringLiteral("English");

} // namespace

LanguageChoice::LanguageChoice(const QString &modulesRoot)
    : m_root(QFileInfo(modulesRoot).absoluteFilePath())
{}

QStringList LanguageChoice::installed() const
{
    QStringList languages;
    const QFileInfoList files = QDir(m_root + QStringLiteral("/i18n"))
                                    .entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (Store::isSafeFileName(file.completeBaseName()))
            languages.append(file.completeBaseName());
    }
    return languages;
}

bool LanguageChoice::isInstalled(const QString &language) const
{
    return Store::isSafeFileName(language)
           && QFileInfo(m_root + QStringLiteral("/i18n/") + language + QStringLiteral(".ini")).isFile();
}

QString LanguageChoice::title(const QString &language) const
{
    const QString path = m_root + QStringLiteral("/i18n/") + language + QStringLiteral(".ini");
    if (!isInstalled(language) || !SettingsPath::isReadable(path))
        return language;
    const QSettings file(SettingsPath::forStore(path), QSettings::IniFormat);
    const QString name = file.value(QStringLiteral("language/name")).toString().trimmed();
    return name.isEmpty() ? language : name;
}

QString LanguageChoice::forUiLanguages(const QStringList &uiLanguages)
{
    if (uiLanguages.isEmpty())
        return kEnglish;
    switch (QLocale(uiLanguages.first()).language()) {
    case QLocale::French:
        return QStringLiteral("French");
    case QLocale::Chinese:
        return QStringLiteral("ChineseSimplified");
    default:
        return kEnglish;
    }
}

QString LanguageChoice::inUse(const QString &stored) const
{
    return inUse(stored, QLocale::system().uiLanguages());
}

QString LanguageChoice::inUse(const QString &stored, const QStringList &uiLanguages) const
{
    for (const QString &candidate : {stored, forUiLanguages(uiLanguages), kEnglish}) {
        if (isInstalled(candidate))
            return candidate;
    }
    const QStringList all = installed();
    return all.isEmpty() ? kEnglish : all.first();
}
