#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class SettingsFiles;

// Which application brings which profile to the front. The links live in
// apConfig.bin under [profileLinks], one key per application name (window
// class or executable, kept in lower case) with the profile number as its
// value, so a profile's rename never touches them and kx20ctl and the window
// read the same rules. A value that is not a profile number reads as no link.
class ApplicationRules
{
public:
    static constexpr const char *kGroup = "profileLinks";
    // Longer than any window class or executable name we have met.
    static constexpr int kMaxNameLength = 64;

    explicit ApplicationRules(SettingsFiles &files);

    // The name as a link keeps it: trimmed and in lower case; empty when it
    // cannot be one (empty, too long, a path separator or a control
    // character).
    static QString normalName(const QString &name);

    // Every link: application name → profile number.
    QMap<QString, int> all() const;
    // The applications linked to `profile`, sorted.
    QStringList linksOf(int profile) const;
    // The profile of the first of `names` (class, instance, executable of
    // one window, in any case) that has a link; -1 when none has.
    int profileFor(const QStringList &names) const;

    // Each returns whether the file now holds what was asked. A name links to
    // one profile: linking it again moves the link.
    bool link(const QString &name, int profile);
    bool unlink(const QString &name);
    // A deleted profile's links go with it.
    bool removeProfile(int profile);

private:
    void removeWhere(const std::function<bool(const QString &name, int profile)> &matches);
    // The group's keys with their values as stored.
    QMap<QString, QVariant> entries() const;
    // Makes `edit`'s change and puts it in the file; when the file refuses
    // it, the change is taken back and the result is false.
    bool change(const std::function<void()> &edit);

    SettingsFiles &m_files;
};
