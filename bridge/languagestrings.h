#pragma once

#include <QString>
#include <QStringList>

// The texts of the scene in the user's language, from the UTF-8 INI files
// modules/i18n/<language>.ini: one section per scene component, with "total"
// and the texts "0", "1", ... Section "other" also supplies the eight texts of
// the tray notice shown when the DPI button on the mouse switches the stage;
// French has those built in.
class LanguageStrings
{
public:
    static constexpr int kDpiSwitchTextCount = 8;
    // No component has more texts than this; a larger count is a damaged file.
    static constexpr int kMaxTexts = 4096;

    explicit LanguageStrings(const QString &modulesRoot = QStringLiteral("./modules"));

    // The language's file, or empty when `langCode` cannot be a file name.
    QString languageFilePath(const QString &langCode) const;

    // The texts of section `typeStr`. A text the language file lacks (the
    // file, the section or the text is missing or damaged) is the English
    // text built into the program; a translation far longer than its English
    // text is cut. Asking for "other" also sets the DPI-switch texts.
    QStringList getLangStrings(const QString &typeStr, const QString &langCode) const;
    // The English texts of a section as built into the program.
    static QStringList builtInEnglish(const QString &typeStr);

    static QStringList frenchDpiSwitchTexts();

    // The process-wide DPI-switch texts, safe to read from the report
    // listener's thread. Each is "DPI Switch to" until a language sets it.
    static QStringList dpiSwitchTexts();
    // Text `index` (0 to 7); empty outside that range.
    static QString dpiSwitchText(int index);
    // The text announcing stage `stage` as the mouse reports it: stages 1 to 7
    // have their own text, any other stage the last one.
    static QString dpiSwitchTextForStage(int stage);
    // Sets the texts from the start of `texts`; a text it does not hold keeps
    // its value.
    static void setDpiSwitchTexts(const QStringList &texts);
    // Back to "DPI Switch to" for every stage.
    static void resetDpiSwitchTexts();

private:
    QString m_root;
};
