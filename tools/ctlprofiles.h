#pragma once

#include "profilelist.h"

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

class CtlSession;

// kx20ctl profile: the program's profile list with the applications linked
// to each profile and the profile in use, as lines and as JSON.
namespace CtlProfiles {

struct Listing
{
    QList<ProfileList::Entry> entries;
    // The applications linked to each profile number that has links.
    QMap<int, QStringList> links;
    // "mouse/profileNo" when it is a profile number.
    std::optional<int> inUse;
};

// The list as the window shows it, in the program's language.
Listing read(CtlSession &session);

// "profile 2 (Game)", or "profile 7 (not in the list)".
QString label(const Listing &listing, int profile);

QStringList lines(const Listing &listing);
QJsonObject json(const Listing &listing, CtlSession &session);

} // namespace CtlProfiles
