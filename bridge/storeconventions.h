#pragma once

#include "settingspath.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class QSettings;

// How values sit in our INI files under modules/, and how whole files are
// put in place without a settings store ever writing stale values over them.
namespace Store {

// A file we copy is a few kilobytes; anything much larger is not one of ours.
constexpr qint64 kMaxFileBytes = SettingsPath::kMaxBytes;

// Appended to a name list that would otherwise hold exactly one element, which
// the store would write and read back as plain text.
QString filler();

// False for an empty text, "0" or "false" in any letter case; true otherwise.
bool toBool(const QVariant &value);

// The texts of a list value; empty when the value is absent or a plain value.
QVariantList toTextList(const QVariant &value);

// The form in which a value from the scene is written: a list becomes the
// list of its elements' texts, and a list of one element that element's text
// (never a binary blob); every other value is written as it is.
QVariant storedForm(const QVariant &value);

// Whether `key` names a value: a key of nothing but slashes would address a
// whole file or group.
bool isUsableKey(const QString &key);

// Writes `value` in its stored form under `key` and puts it on disk at once
// (SettingsStore::commit);
// an unusable key writes nothing. False when the file could not be written.
bool write(QSettings &store, const QString &key, const QVariant &value);

// `group` + "/" + `name`, or empty when `name` is not a usable key of its own.
QString entryKey(const QString &group, const QString &name);

// Whether `name` followed by a four-character extension such as ".bin" is a
// plain file name on both Windows and Linux: not empty, not "." or "..", no
// path separator, no character Windows refuses (< > : " | ? * and control
// characters), no trailing dot or blank, not a Windows device name, and short
// enough for a file name.
bool isSafeFileName(const QString &name);

// A name list of one element gets the filler.
QStringList withFiller(const QStringList &names);

// Replaces `target` by a byte copy of `source` (FileWriting::replace): a
// failure leaves the old file as it was, a link at `target` is replaced, not
// followed, and the copy is never readable by more users than `source`.
bool replaceFile(const QString &source, const QString &target);

// Copies `source` to `target` only when `target` does not exist yet; the
// copy is never readable by more users than `source`.
bool copyToNewFile(const QString &source, const QString &target);

// Renames `from` to `to` only when `to` does not exist yet.
bool renameToNewFile(const QString &from, const QString &to);

// Drops what Qt's settings cache remembers of `path`, which must not exist at
// this moment, so that a file appearing there later is read from disk.
void forgetCachedFile(const QString &path);

} // namespace Store
