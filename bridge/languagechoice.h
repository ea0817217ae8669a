#pragma once

#include <QString>
#include <QStringList>

// Which language file the program and kx20ctl show. Until the user picks
// one (stored under "common/language"), the system's language decides:
// French and Chinese pick those files, anything else English.
class LanguageChoice
{
public:
    explicit LanguageChoice(const QString &modulesRoot = QStringLiteral("./modules"));

    // The languages installed under modules/i18n, by file name.
    QStringList installed() const;
    bool isInstalled(const QString &language) const;
    // The name a language gives itself ("Français"), for the help menu: its
    // file's "language/name", else its file name.
    QString title(const QString &language) const;

    // The file a system with these preferred languages ("fr-FR", "zh-CN",
    // as QLocale::uiLanguages() lists them) would pick.
    static QString forUiLanguages(const QStringList &uiLanguages);

    // The language to show: `stored` when it is installed, else the
    // system's, else any installed one.
    QString inUse(const QString &stored) const;
    QString inUse(const QString &stored, const QStringList &uiLanguages) const;

private:
    QString m_root;
};
