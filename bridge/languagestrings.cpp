#include "languagestrings.h"

#include "storeconventions.h"
#include "settingspath.h"

#include <QFileInfo>
#include <QMutex>
#include <QSettings>

#include <algorithm>
#include <array>

namespace {

struct DpiSwitchTexts
{
    QMutex mutex;
    std::array<QString, LanguageStrings::kDpiSwitchTextCount> texts;

    DpiSwitchTexts() { texts.fill(QStringLiteral("DPI Switch to")); }
};

Q_GLOBAL_STATIC(DpiSwitchTexts, dpiSwitch)

} // namespace

LanguageStrings::LanguageStrings(const QString &modulesRoot)
    : m_root(QFileInfo(modulesRoot).absoluteFilePath())
{}

QString LanguageStrings::languageFilePath(const QString &langCode) const
{
    if (!Store::isSafeFileName(langCode))
        return QString();
    return m_root + QStringLiteral("/i18n/") + langCode + QStringLiteral(".ini");
}

QStringList LanguageStrings::getLangStrings(const QString &typeStr, const QString &langCode) const
{
    QStringList texts;
    const QString path = languageFilePath(langCode);
    if (!path.isEmpty() && SettingsPath::isReadable(path)) {
        const QSettings language(SettingsPath::forStore(path), QSettings::IniFormat);
        bool ok = false;
        const int total = language.value(typeStr + QStringLiteral("/total")).toInt(&ok);
        for (int i = 0; ok && i < std::min(total, kMaxTexts); ++i)
            texts.append(language.value(typeStr + QLatin1Char('/') + QString::number(i)).toString());
    }
    if (typeStr == QLatin1String("other")) {
        if (langCode == QLatin1String("French"))
            setDpiSwitchTexts(frenchDpiSwitchTexts());
        else
            setDpiSwitchTexts(texts);
    }
    return texts;
}

QStringList LanguageStrings::frenchDpiSwitchTexts()
{
    return {
        QStringLiteral("passage DPI au premier étage"), QStringLiteral("DPI passe au deuxième étage"),
        QStringLiteral("DPI passe au troisième étage"), QStringLiteral("DPI passe au quatrième étage"),
        QStringLiteral("DPI passe au cinquième étage"), QStringLiteral("DPI passe au sixième étage"),
        QStringLiteral("DPI passe au septième étage"),  QStringLiteral("DPI passe au huitième étage"),
    };
}

QStringList LanguageStrings::dpiSwitchTexts()
{
    DpiSwitchTexts *shared = dpiSwitch();
    const QMutexLocker lock(&shared->mutex);
    return QStringList(shared->texts.begin(), shared->texts.end());
}

QString LanguageStrings::dpiSwitchText(int index)
{
    if (index < 0 || index >= kDpiSwitchTextCount)
        return QString();
    DpiSwitchTexts *shared = dpiSwitch();
    const QMutexLocker lock(&shared->mutex);
    return shared->texts[index];
}

QString LanguageStrings::dpiSwitchTextForStage(int stage)
{
    return dpiSwitchText(stage >= 1 && stage < kDpiSwitchTextCount ? stage - 1 : kDpiSwitchTextCount - 1);
}

void LanguageStrings::setDpiSwitchTexts(const QStringList &texts)
{
    DpiSwitchTexts *shared = dpiSwitch();
    const QMutexLocker lock(&shared->mutex);
    for (int i = 0; i < kDpiSwitchTextCount && i < texts.size(); ++i)
        shared->texts[i] = texts.at(i);
}

void LanguageStrings::resetDpiSwitchTexts()
{
    DpiSwitchTexts *shared = dpiSwitch();
    const QMutexLocker lock(&shared->mutex);
    shared->texts.fill(QStringLiteral("DPI Switch to"));
}
