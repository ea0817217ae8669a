#include "applicationrules.h"

#include "settingsfiles.h"
#include "settingsstore.h"

#include <QSettings>

#include <functional>

namespace {

QString keyOf(const QString &name)
{
    return QLatin1String(ApplicationRules::kGroup) + QLatin1Char('/') + name;
}

// A stored value as the number it holds; -1 when it holds none.
int storedNumber(const QVariant &value)
{
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : -1;
}

} // namespace

ApplicationRules::ApplicationRules(SettingsFiles &files)
    : m_files(files)
{}

QString ApplicationRules::normalName(const QString &name)
{
    const QString text = name.trimmed().toLower();
    if (text.isEmpty() || text.size() > kMaxNameLength || !text.isValidUtf16())
        return QString();
    for (const QChar c : text) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return QString();
    }
    return text;
}

QMap<QString, int> ApplicationRules::all() const
{
    QMap<QString, int> links;
    QSettings &store = m_files.application();
    // kx20ctl links applications while the program runs: the file is read
    // again when it changed since the store last looked.
    store.sync();
    store.beginGroup(QLatin1String(kGroup));
    const QStringList names = store.childKeys();
    for (const QString &key : names) {
        const int profile = storedNumber(store.value(key));
        const QString name = normalName(key);
        if (SettingsFiles::isProfile(profile) && !name.isEmpty())
            links.insert(name, profile);
    }
    store.endGroup();
    return links;
}

QStringList ApplicationRules::linksOf(int profile) const
{
    QStringList names;
    const QMap<QString, int> links = all();
    for (auto it = links.cbegin(); it != links.cend(); ++it) {
        if (it.value() == profile)
            names << it.key();
    }
    return names;
}

int ApplicationRules::profileFor(const QStringList &names) const
{
    const QMap<QString, int> links = all();
    for (const QString &name : names) {
        const auto it = links.constFind(normalName(name));
        if (it != links.cend())
            return it.value();
    }
    return -1;
}

bool ApplicationRules::link(const QString &name, int profile)
{
    const QString normal = normalName(name);
    if (normal.isEmpty() || !SettingsFiles::isProfile(profile))
        return false;
    return change([this, &normal, profile] {
        removeWhere([&normal](const QString &key, int) {
            return key == normal;
        });
        m_files.application().setValue(keyOf(normal), profile);
    });
}

bool ApplicationRules::unlink(const QString &name)
{
    const QString normal = normalName(name);
    return !normal.isEmpty() && change([this, &normal] {
        removeWhere([&normal](const QString &key, int) {
            return key == normal;
        });
    });
}

bool ApplicationRules::removeProfile(int profile)
{
    return change([this, profile] {
        removeWhere([profile](const QString &, int linked) {
            return linked == profile;
        });
    });
}

void ApplicationRules::removeWhere(const std::function<bool(const QString &, int)> &matches)
{
    // A key written by hand may differ in case from the name it stands for.
    QSettings &store = m_files.application();
    store.beginGroup(QLatin1String(kGroup));
    QStringList doomed;
    for (const QString &key : store.childKeys()) {
        if (matches(normalName(key), storedNumber(store.value(key))))
            doomed << key;
    }
    for (const QString &key : std::as_const(doomed))
        store.remove(key);
    store.endGroup();
}

QMap<QString, QVariant> ApplicationRules::entries() const
{
    QMap<QString, QVariant> stored;
    QSettings &store = m_files.application();
    store.beginGroup(QLatin1String(kGroup));
    for (const QString &key : store.childKeys())
        stored.insert(key, store.value(key));
    store.endGroup();
    return stored;
}

bool ApplicationRules::change(const std::function<void()> &edit)
{
    // Changes start from what the file holds now, whoever wrote it.
    m_files.application().sync();
    const QMap<QString, QVariant> before = entries();
    edit();
    const QMap<QString, QVariant> after = entries();
    if (after == before)
        return true;
    QSettings &store = m_files.application();
    if (SettingsStore::commit(store))
        return true;
    // The file refused the change: take it back, so that the links read
    // from now on are the ones the file holds, not ones that were never
    // stored. Only the entries this change touched are put back.
    store.beginGroup(QLatin1String(kGroup));
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            store.remove(it.key());
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (after.value(it.key()) != it.value())
            store.setValue(it.key(), it.value());
    }
    store.endGroup();
    return false;
}
