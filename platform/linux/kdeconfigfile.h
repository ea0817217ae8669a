#pragma once

#include <QByteArray>
#include <QString>

// One KDE configuration file (kdeglobals, kcminputrc, ...): groups in
// brackets, "Key=value" lines. Only the entry asked for changes; every other
// line, comment, locale variant and group stays exactly as it was, because
// the file belongs to the desktop and holds far more than our three values.
class KdeConfigFile
{
public:
    explicit KdeConfigFile(const QString &path);

    // The value of `key` in `group`; empty when either is missing.
    QString entry(const QString &group, const QString &key) const;

    // Sets `key` in `group` (added at the group's end, or a new group at the
    // file's end) and writes the file by rename. False when it cannot be
    // written, or when the desktop locked the entry ("[$i]").
    bool setEntry(const QString &group, const QString &key, const QString &value);

    // The same on the file's text, for callers that already hold it.
    static QString entryIn(const QByteArray &text, const QString &group, const QString &key);
    static QByteArray withEntry(const QByteArray &text, const QString &group, const QString &key,
                                const QString &value);
    static bool isLocked(const QByteArray &text, const QString &group, const QString &key);

private:
    QByteArray read() const;

    QString m_path;
};
