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

namespace {

// The texts of `section` in `language` as far as it holds them: an absent
// text is an invalid value; the count is the file's "total".
QList<QVariant> storedTexts(const QSettings &language, const QString &section)
{
    QList<QVariant> texts;
    bool ok = false;
    const int total = language.value(section + QStringLiteral("/total")).toInt(&ok);
    for (int i = 0; ok && i < std::min(total, LanguageStrings::kMaxTexts); ++i)
        texts.append(language.value(section + QLatin1Char('/') + QString::number(i)));
    return texts;
}

// A translation far longer than its English text would run out of the box
// the scene made for that text; it is cut, marked with an ellipsis.
QString fitted(const QString &text, const QString &english)
{
    if (english.isEmpty())
        return text;
    const int room = 2 * int(english.size()) + 16;
    return text.size() <= room ? text : text.left(room - 1) + QChar(0x2026);
}

} // namespace

QStringList LanguageStrings::builtInEnglish(const QString &typeStr)
{
    const QSettings english(QStringLiteral(":/builtin/English.ini"), QSettings::IniFormat);
    QStringList texts;
    const QList<QVariant> stored = storedTexts(english, typeStr);
    for (const QVariant &text : stored)
        texts.append(text.toString());
    return texts;
}

QStringList LanguageStrings::getLangStrings(const QString &typeStr, const QString &langCode) const
{
    QList<QVariant> stored;
    const QString path = languageFilePath(langCode);
    if (!path.isEmpty() && SettingsPath::isReadable(path)) {
        const QSettings language(SettingsPath::forStore(path), QSettings::IniFormat);
        stored = storedTexts(language, typeStr);
    }
    // Every text the file lacks (a damaged file, a section or text left out)
    // is the English one built into the program, so no control is unlabelled.
    const QStringList english = builtInEnglish(typeStr);
    QStringList texts;
    for (int i = 0; i < std::max(stored.size(), english.size()); ++i) {
        const QVariant text = stored.value(i);
        texts.append(text.isValid() ? fitted(text.toString(), english.value(i)) : english.value(i));
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
