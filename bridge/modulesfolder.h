#pragma once

#include <QString>

// Where the program and kx20ctl keep modules/. A folder beside the
// executable that the user can write (a portable install, the build tree) is
// used as it is. An installed package's folder is read-only: then the user
// works on a copy in ~/.local/share/kx20-config/modules ($XDG_DATA_HOME),
// made from the package's folder. The copy only ever gains files the user
// does not have yet (a language or gun file a newer package brings); a file
// the user has is never overwritten.
namespace ModulesFolder {

// Whether files can be written in `modulesRoot`/setting: the folder and
// every settings file in it.
bool canWrite(const QString &modulesRoot);

// The user's copy: <data folder>/kx20-config/modules.
QString userCopy();

// The folder that holds the modules/ to work in for a program in
// `programDir`: `programDir` itself, or the parent of the user's copy after
// bringing it up to date. Falls back to `programDir` when the copy cannot
// be made (the caller then warns that settings cannot be saved).
QString workingFolder(const QString &programDir);

// Copies every file of `from` that `to` lacks, keeping the folders; the
// copies are writable by the user. False when one could not be copied.
bool copyMissing(const QString &from, const QString &to);

} // namespace ModulesFolder
