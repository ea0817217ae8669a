#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

class SettingsFiles;

// The profiles the window lists, read from the stored name list
// (modules/setting/name.bin, "profile/profileName") exactly as the profile
// page reads it, so kx20ctl and the window agree on which profiles exist.
class ProfileList
{
public:
    struct Entry
    {
        QString name;
        int profile = 0;
    };

    // Each stored entry is the name followed directly by the profile number
    // as one digit; an entry shorter than that is skipped, and a last
    // character that is not a digit reads as profile 0, as on the page. A
    // list of one real entry carries the filler as a second. The first row
    // shows `standardName` (the language's name for it) when that is not
    // empty.
    static QList<Entry> fromStored(const QVariantList &stored, const QString &standardName = QString());
    // The stored list of `files`' modules/ folder.
    static QList<Entry> read(SettingsFiles &files, const QString &standardName = QString());

    // The row of `profile` in `entries`; -1 when no row has it.
    static int rowOf(const QList<Entry> &entries, int profile);
};
