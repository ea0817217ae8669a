#include "ctlprofiles.h"

#include "applicationrules.h"
#include "ctlcommands.h"
#include "ctlsession.h"
#include "languagestrings.h"
#include "settingsfiles.h"

#include <QJsonArray>

namespace CtlProfiles {

namespace {

// The first row carries the language's name for it, as on the profile page.
constexpr int kStandardNameText = 5;

// Links to profiles that have no row: kept, but nothing follows them.
QMap<int, QStringList> unlisted(const Listing &listing)
{
    QMap<int, QStringList> others;
    for (auto it = listing.links.cbegin(); it != listing.links.cend(); ++it) {
        if (ProfileList::rowOf(listing.entries, it.key()) < 0)
            others.insert(it.key(), it.value());
    }
    return others;
}

} // namespace

Listing read(CtlSession &session)
{
    SettingsFiles &files = session.files();
    const QString standard = LanguageStrings(files.modulesRoot())
                                 .getLangStrings(QStringLiteral("profile"), session.language())
                                 .value(kStandardNameText);
    Listing listing;
    listing.entries = ProfileList::read(files, standard);
    // One read of the links, each profile's in name order.
    const QMap<QString, int> links = ApplicationRules(files).all();
    for (auto it = links.cbegin(); it != links.cend(); ++it)
        listing.links[it.value()] << it.key();
    const std::optional<int> stored =
        CtlCommands::configInt(files.getGlobalData(QStringLiteral("mouse/profileNo")));
    if (stored && SettingsFiles::isProfile(*stored))
        listing.inUse = stored;
    return listing;
}

QString label(const Listing &listing, int profile)
{
    const int row = ProfileList::rowOf(listing.entries, profile);
    return QStringLiteral("profile %1 (%2)")
        .arg(profile)
        .arg(row < 0 ? QStringLiteral("not in the list") : listing.entries.at(row).name);
}

QStringList lines(const Listing &listing)
{
    QStringList out;
    if (listing.entries.isEmpty())
        out << QStringLiteral("no profiles in the list (setting/name.bin)");
    qsizetype width = 0;
    for (const ProfileList::Entry &entry : listing.entries)
        width = std::max(width, entry.name.size());
    for (const ProfileList::Entry &entry : listing.entries) {
        const QStringList links = listing.links.value(entry.profile);
        const bool inUse = listing.inUse == entry.profile;
        QString line = QStringLiteral("%1 %2  %3")
                           .arg(inUse ? QLatin1Char('*') : QLatin1Char(' '))
                           .arg(entry.profile)
                           .arg(links.isEmpty() ? entry.name : entry.name.leftJustified(width));
        if (!links.isEmpty())
            line += QStringLiteral("  links: ") + links.join(QStringLiteral(", "));
        out << line;
    }
    if (listing.inUse && ProfileList::rowOf(listing.entries, *listing.inUse) < 0)
        out << QStringLiteral("the profile in use, %1 (mouse/profileNo), is not in the list")
                   .arg(*listing.inUse);
    const QMap<int, QStringList> others = unlisted(listing);
    for (auto it = others.cbegin(); it != others.cend(); ++it)
        out << QStringLiteral("profile %1 is not in the list; linked to it: %2")
                   .arg(it.key())
                   .arg(it.value().join(QStringLiteral(", ")));
    return out;
}

QJsonObject json(const Listing &listing, CtlSession &session)
{
    QJsonArray profiles;
    for (const ProfileList::Entry &entry : listing.entries) {
        profiles.append(QJsonObject{
            {QStringLiteral("profile"), entry.profile},
            {QStringLiteral("name"), entry.name},
            {QStringLiteral("file"), session.profileFileName(entry.profile)},
            {QStringLiteral("inUse"), listing.inUse == entry.profile},
            {QStringLiteral("links"), QJsonArray::fromStringList(listing.links.value(entry.profile))},
        });
    }
    // Application name → profile number.
    QJsonObject others;
    const QMap<int, QStringList> unlistedLinks = unlisted(listing);
    for (auto it = unlistedLinks.cbegin(); it != unlistedLinks.cend(); ++it) {
        for (const QString &name : it.value())
            others.insert(name, it.key());
    }
    return QJsonObject{
        {QStringLiteral("profiles"), profiles},
        {QStringLiteral("inUse"), listing.inUse ? QJsonValue(*listing.inUse) : QJsonValue()},
        {QStringLiteral("unlistedLinks"), others},
    };
}

} // namespace CtlProfiles
