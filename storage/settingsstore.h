#pragma once

#include <QByteArray>

class QSettings;

// Putting what a settings store holds on disk, as the program's files are
// meant to be written.
namespace SettingsStore {

// Writes the store's changes to its file and returns whether they are there.
// The file is replaced, never written through a link; a new file is never
// writable by other users; characters outside ASCII are written as a
// backslash, "x" and their hexadecimal code, the form every install of the
// program reads. A store that SettingsPath kept off its file writes nothing
// and gives false.
bool commit(QSettings &store);

// The INI text `utf8` with every character outside ASCII in a value written
// as "\x" and its UTF-16 code (a character beyond 0xFFFF as its two
// surrogates); a hexadecimal digit right after such an escape is escaped
// too, so the reader does not take it as part of the code. Section and key
// lines are left as they are (the store writes keys in ASCII).
QByteArray escapedNonAscii(const QByteArray &utf8);

} // namespace SettingsStore
