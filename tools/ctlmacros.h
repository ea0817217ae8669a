#pragma once

#include "ctlcommands.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

class KeyCodeString;

// The words of `slots` and the bytes of `send-macro`: the button dialog's
// function table and the macro editor's encoding, as kx20ctl shows and sends
// them.
namespace CtlMacros {

// One button slot of a profile in words.
struct SlotWords
{
    int slot = 0;
    QVariantList codes; // the four stored values, as numbers
    QString category;   // "mouse", "fire", "combination", ... or "unknown"
    QString text;       // e.g. "LCtrl+C", "macro m1, runs once", "DPI+"
};

// The key texts of the program's language (its "keyCode" section), so that
// keys are named and stored macros read back as the program does.
void loadKeyTexts(KeyCodeString &keys, const QString &modulesRoot, const QString &language);

QList<SlotWords> describeSlots(const CtlCommands::ProfileData &profile, const KeyCodeString &keys);
QString slotLine(const SlotWords &words);
QJsonObject slotJson(const SlotWords &words);

// The bytes for a stored macro (loadMacroIni's form), or an error when there
// is no such macro or it would not fit the mouse's macro slot.
struct MacroBytes
{
    QByteArray bytes;
    QString error;
};
MacroBytes macroBytes(const QString &name, const QStringList &stored, const KeyCodeString &keys);

} // namespace CtlMacros
