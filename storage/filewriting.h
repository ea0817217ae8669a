#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// How the program puts a file in place. A file is always replaced: the new
// content is written beside it and renamed over it, so a crash leaves the old
// file whole and a symbolic link planted in its place is replaced itself,
// never written through. A file the program creates is never writable by
// other users, whatever the umask.
namespace FileWriting {

// The widest mode a file the program creates gets: read and write for the
// owner, read for the others (the umask may narrow it further).
QFileDevice::Permissions createdPermissions();

// `permissions` without the read rights `source` does not give: an imported
// file is never readable by more users than its source was.
QFileDevice::Permissions noWiderThan(QFileDevice::Permissions permissions, const QString &source);

// Creates `folder` and the folders above it that are missing, never
// writable by other users. True when it is a folder afterwards.
bool makeFolders(const QString &folder);

// Replaces `path` by a file holding `bytes`. An existing regular file keeps
// its mode, narrowed by `readLimit` when that is given (see noWiderThan);
// a new file gets createdPermissions(). A link at `path` is replaced, not
// followed; a folder or other special file there is left alone (false).
bool replace(const QString &path, const QByteArray &bytes, const QString &readLimit = QString());

// When `path` is a symbolic link, puts a regular file holding what the link
// leads to (nothing, when that cannot be read) in place of the link itself.
// True when `path` is no link afterwards.
bool replaceLinkByCopy(const QString &path);

// Creates `path` empty with createdPermissions() when nothing is there yet,
// so a writer that keeps an existing file's mode (QSaveFile) never creates
// it with the umask's wider mode. True when a regular file is there after.
bool ensureFile(const QString &path);

} // namespace FileWriting
