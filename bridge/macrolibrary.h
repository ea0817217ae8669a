#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class FileDialogs;
class SettingsFiles;

// The user's keyboard macros: one file per macro under modules/macro/, named
// after the macro, and the name lists of modules/setting/name.bin. A name that
// could not be a plain file name never reaches the file system: the operation
// fails instead. Every operation has its file complete on disk when it returns.
class MacroLibrary
{
public:
    // The profiles the scene uses (p1.bin to p6.bin); renames and deletions of
    // macros are carried into these.
    static constexpr int kSceneProfiles = 6;
    // More events than the device could ever hold means a damaged file.
    static constexpr int kMaxEvents = 10000;
    // The name list of the profiles (type code 2).
    static constexpr int kProfileNames = 2;

    explicit MacroLibrary(SettingsFiles &files);

    // The macro's file, or empty when `name` cannot be a file name.
    QString macroPath(const QString &name) const;
    QString nameListPath() const;

    // A new macro without events, repeated once; events already in an
    // existing file stay.
    bool createMacroIni(const QString &name, const QVariant &macroIndex);
    // Rewrites the events and repeat count of an existing macro.
    bool saveMacroIni(const QString &name, const QStringList &macros, const QVariant &repeat);
    // The events, then the repeat count; empty when the macro has no file.
    QStringList loadMacroIni(const QString &name) const;
    bool deleteMacroIni(const QString &name);

    // Renames the macro's file and, once that worked, every reference to the
    // old name in the scene's profiles. Refused when a file of the new name
    // exists.
    bool modifyMacroNameUpdateProfile(const QString &oldname, const QString &newname);
    // Buttons of the scene's profiles that run `macroName` get their factory
    // function back.
    void deleteMacroUpdateProfile(const QString &macroName);

    // Import: true when the macro's file exists afterwards (an existing file
    // is left as it is). An empty `chosenPath` is a cancelled dialog.
    bool loadMacroFile(const QString &macroFileName, const QString &chosenPath);
    bool loadMacroFile(const QString &macroFileName, FileDialogs &dialogs);
    // Export: a byte copy of the macro's file, replacing `chosenPath`.
    bool saveMacroFile(const QString &macroFileName, const QString &chosenPath);
    bool saveMacroFile(const QString &macroFileName, FileDialogs &dialogs);

    // Name lists by type code: 0 macros, 1 guns, 2 profiles, 3 gun selection.
    // False for an unknown code.
    bool updataNameList(const QVariant &type, const QStringList &nameList);
    // The stored list as it is (with the filler, if stored).
    QVariantList getNameList(const QVariant &type) const;

private:
    SettingsFiles &m_files;
};
