#include "kdeconfigfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

namespace {

// A KDE config file is small; more than this is not one we should rewrite.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

QByteArray groupLine(const QString &group)
{
    return '[' + group.toUtf8() + ']';
}

bool isGroupLine(const QByteArray &trimmed)
{
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

// "Key=value" or "Key[$i]=value" for exactly `key`: the text before '=' up
// to any "[...]" suffix. Locale variants ("Key[fr]") are other entries.
enum class Match { None, Plain, Locked };

Match matchKey(const QByteArray &trimmed, const QByteArray &key)
{
    const int equals = trimmed.indexOf('=');
    if (equals <= 0 || trimmed.startsWith('#'))
        return Match::None;
    const QByteArray name = trimmed.left(equals).trimmed();
    if (name == key)
        return Match::Plain;
    if (name.startsWith(key + '[') && name.contains("$i"))
        return Match::Locked;
    return Match::None;
}

struct Place
{
    int groupStart = -1; // index of the group's header line
    int groupEnd = -1;   // index after its last non-empty line
    int entry = -1;      // index of the entry's line
    bool locked = false;
};

Place find(const QList<QByteArray> &lines, const QString &group, const QByteArray &key)
{
    Place place;
    const QByteArray header = groupLine(group);
    // Entries before any header belong to the group "<default>".
    bool inGroup = group.isEmpty();
    if (inGroup)
        place.groupStart = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines.at(i).trimmed();
        if (isGroupLine(trimmed)) {
            inGroup = trimmed == header;
            if (inGroup && place.groupStart < 0) {
                place.groupStart = i;
                place.groupEnd = i + 1;
            }
            continue;
        }
        if (!inGroup)
            continue;
        if (!trimmed.isEmpty())
            place.groupEnd = i + 1;
        switch (matchKey(trimmed, key)) {
        case Match::Plain:
            place.entry = i;
            break;
        case Match::Locked:
            place.locked = true;
            break;
        case Match::None:
            break;
        }
    }
    return place;
}

} // namespace

KdeConfigFile::KdeConfigFile(const QString &path)
    : m_path(path)
{}

QByteArray KdeConfigFile::read() const
{
    QFile file(m_path);
    const QFileInfo info(m_path);
    if (!info.isFile() || info.size() > kMaxBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString KdeConfigFile::entry(const QString &group, const QString &key) const
{
    return entryIn(read(), group, key);
}

QString KdeConfigFile::entryIn(const QByteArray &text, const QString &group, const QString &key)
{
    const QList<QByteArray> lines = text.split('\n');
    const Place place = find(lines, group, key.toUtf8());
    if (place.entry < 0)
        return {};
    const QByteArray line = lines.at(place.entry);
    return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
}

bool KdeConfigFile::isLocked(const QByteArray &text, const QString &group, const QString &key)
{
    return find(text.split('\n'), group, key.toUtf8()).locked;
}

QByteArray KdeConfigFile::withEntry(const QByteArray &text, const QString &group, const QString &key,
                                    const QString &value)
{
    QList<QByteArray> lines = text.split('\n');
    // split() leaves one empty piece after a final newline; put it back last.
    const bool endsWithNewline = text.isEmpty() || text.endsWith('\n');
    if (endsWithNewline)
        lines.removeLast();
    const QByteArray line = key.toUtf8() + '=' + value.toUtf8();
    const Place place = find(lines, group, key.toUtf8());
    if (place.entry >= 0) {
        lines[place.entry] = line;
    } else if (place.groupEnd >= 0) {
        lines.insert(place.groupEnd, line);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append(groupLine(group));
        lines.append(line);
    }
    return lines.join('\n') + '\n';
}

bool KdeConfigFile::setEntry(const QString &group, const QString &key, const QString &value)
{
    const QFileInfo info(m_path);
    if (info.exists() && (!info.isFile() || info.size() > kMaxBytes))
        return false;
    const QByteArray text = read();
    if (isLocked(text, group, key))
        return false;
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(withEntry(text, group, key, value));
    return file.commit();
}
