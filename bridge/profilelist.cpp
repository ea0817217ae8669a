#include "profilelist.h"

#include "macrolibrary.h"
#include "storeconventions.h"

QList<ProfileList::Entry> ProfileList::fromStored(const QVariantList &stored, const QString &standardName)
{
    QVariantList names = stored;
    if (names.size() == 2 && names.at(1).toString() == Store::filler())
        names.removeLast();
    QList<Entry> entries;
    for (const QVariant &value : std::as_const(names)) {
        const QString entry = value.toString();
        if (entry.size() < 2)
            continue;
        const QChar digit = entry.back();
        // Only ASCII digits: the page reads the character as a decimal number.
        const int profile =
            digit >= QLatin1Char('0') && digit <= QLatin1Char('9') ? digit.unicode() - '0' : 0;
        entries.append({entry.chopped(1), profile});
    }
    if (!entries.isEmpty() && !standardName.isEmpty())
        entries.first().name = standardName;
    return entries;
}

QList<ProfileList::Entry> ProfileList::read(SettingsFiles &files, const QString &standardName)
{
    return fromStored(MacroLibrary(files).getNameList(MacroLibrary::kProfileNames), standardName);
}

int ProfileList::rowOf(const QList<Entry> &entries, int profile)
{
    for (int row = 0; row < entries.size(); ++row) {
        if (entries.at(row).profile == profile)
            return row;
    }
    return -1;
}
