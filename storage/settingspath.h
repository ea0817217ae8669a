#pragma once

#include <QString>

// Where a settings store may be opened. Our INI files under modules/ are a
// few kilobytes; a path there that is a pipe, a device or a folder, or a file
// far larger than any of ours, would block or swamp whoever reads it. Such a
// path reads as empty and is never written through a store, so the file
// itself stays as it is.
namespace SettingsPath {

// A generous bound: the largest of our files is a few kilobytes.
constexpr qint64 kMaxBytes = 1024 * 1024;

// Why `path` must not be read as a settings file; empty when it is missing or
// a regular file of at most kMaxBytes.
QString refusal(const QString &path);

// Whether `path` is a settings file to read: false when it is missing, and
// false after one warning line naming it when it must not be read.
bool isReadable(const QString &path);

// The path to open a settings store on for `path`: `path` itself, or, when it
// must not be read, a place below it that cannot exist, so the store reads as
// empty and cannot write (after one warning line naming `path`).
QString forStore(const QString &path);

// The settings file a store opened by forStore() stands for.
QString original(const QString &storePath);

} // namespace SettingsPath
