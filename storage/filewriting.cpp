#include "filewriting.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The largest file we ever read back to copy it; ours are a few kilobytes.
constexpr qint64 kMaxLinkedBytes = 1024 * 1024;

// A new, empty, regular file beside `path`, opened for writing, whose name
// no one else had; its mode is `permissions` as the umask leaves it.
bool openPartFile(const QString &path, QFile &part, QFileDevice::Permissions permissions)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        part.setFileName(QStringLiteral("%1.%2.part")
                             .arg(path)
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (part.open(QIODevice::WriteOnly | QIODevice::NewOnly, permissions))
            return true;
        if (part.error() != QFileDevice::OpenError || !QFileInfo(QFileInfo(path).absolutePath()).isDir())
            return false;
    }
    return false;
}

// Replaces whatever is at `to` (a link itself, never what it leads to) in
// one step.
bool renameOver(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING)
           != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

namespace FileWriting {

QFileDevice::Permissions createdPermissions()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser
           | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}

QFileDevice::Permissions noWiderThan(QFileDevice::Permissions permissions, const QString &source)
{
    const QFileDevice::Permissions sourceMode = QFileInfo(source).permissions();
    for (const QFileDevice::Permission read : {QFileDevice::ReadGroup, QFileDevice::ReadOther}) {
        if (!sourceMode.testFlag(read))
            permissions &= ~QFileDevice::Permissions(read);
    }
    return permissions;
}

bool makeFolders(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    const QString parent = info.absolutePath();
    if (parent == info.absoluteFilePath() || !makeFolders(parent))
        return false;
    // The umask narrows it further, never widens it.
    return QDir().mkdir(info.absoluteFilePath(), createdPermissions() | QFileDevice::ExeOwner
                                                     | QFileDevice::ExeUser | QFileDevice::ExeGroup
                                                     | QFileDevice::ExeOther)
           || QFileInfo(folder).isDir();
}

bool replace(const QString &path, const QByteArray &bytes, const QString &readLimit)
{
    const QFileInfo old(path);
    const bool isLink = old.isSymLink();
    if (!isLink && old.exists() && !old.isFile())
        return false;
    makeFolders(old.absolutePath());
    // An existing file of ours keeps its mode; a new one (or one in place of
    // a link, whose target is not ours) gets the mode of a created file as
    // the umask leaves it.
    const bool keepsMode = old.exists() && !isLink;
    QFile part;
    if (!openPartFile(path, part,
                      keepsMode ? QFileDevice::ReadOwner | QFileDevice::WriteOwner : createdPermissions()))
        return false;
    QFileDevice::Permissions mode = keepsMode ? old.permissions() : part.permissions();
    if (!readLimit.isEmpty())
        mode = noWiderThan(mode, readLimit);
    bool written = part.write(bytes) == bytes.size() && part.flush();
    // A settings store decides by size and time stamp whether to read a file
    // again; a new file of the same size within the same clock tick would
    // otherwise look unchanged.
    QDateTime stamp = QDateTime::currentDateTimeUtc();
    if (old.exists() && stamp <= old.lastModified().toUTC())
        stamp = old.lastModified().toUTC().addMSecs(1);
    written = written && part.setFileTime(stamp, QFileDevice::FileModificationTime);
    part.close();
    if (!written || !part.setPermissions(mode) || !renameOver(part.fileName(), path)) {
        QFile::remove(part.fileName());
        return false;
    }
    return true;
}

bool replaceLinkByCopy(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return true;
    QByteArray bytes;
    QFile linked(path);
    if (info.isFile() && info.size() <= kMaxLinkedBytes && linked.open(QIODevice::ReadOnly))
        bytes = linked.read(kMaxLinkedBytes);
    return replace(path, bytes);
}

bool ensureFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return replaceLinkByCopy(path);
    if (info.exists())
        return info.isFile();
    makeFolders(info.absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, createdPermissions()))
        return true;
    return QFileInfo(path).isFile();
}

} // namespace FileWriting
