#include "sourcelanguages.h"

#include "languagestrings.h"

QStringList SourceLanguages::strings(const QString &section, const QString &language) const
{
    return LanguageStrings(QStringLiteral(KX20_SOURCE_DIR "/modules")).getLangStrings(section, language);
}
