#include "ctlmacros.h"

#include "functioncodes.h"
#include "keycodestring.h"
#include "languagestrings.h"
#include "macroencoder.h"

#include <QJsonArray>

namespace CtlMacros {

namespace {

QString categoryName(int c0)
{
    switch (c0) {
    case FunctionCodes::Mouse:
        return QStringLiteral("mouse");
    case FunctionCodes::Fire:
        return QStringLiteral("fire");
    case FunctionCodes::Combination:
        return QStringLiteral("combination");
    case FunctionCodes::Media:
        return QStringLiteral("media");
    case FunctionCodes::Macro:
        return QStringLiteral("macro");
    case FunctionCodes::Dpi:
        return QStringLiteral("dpi");
    case FunctionCodes::Windows:
        return QStringLiteral("windows");
    case FunctionCodes::Shortcut:
        return QStringLiteral("shortcut");
    case FunctionCodes::Gun:
        return QStringLiteral("gun");
    default:
        return QStringLiteral("unknown");
    }
}

QString runMode(int mode)
{
    switch (mode) {
    case 0:
        return QStringLiteral("runs once");
    case 1:
        return QStringLiteral("loops until any button is pressed");
    case 2:
        return QStringLiteral("loops until the button is released");
    default:
        return QStringLiteral("run mode %1").arg(mode);
    }
}

QString hexCodes(const QVariantList &codes)
{
    QStringList words;
    for (const QVariant &code : codes)
        words << QStringLiteral("%1").arg(code.toInt() & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return words.join(QLatin1Char(' '));
}

} // namespace

void loadKeyTexts(KeyCodeString &keys, const QString &modulesRoot, const QString &language)
{
    const LanguageStrings strings(modulesRoot);
    keys.setTexts(strings.getLangStrings(QStringLiteral("keyCode"), language));
}

QList<SlotWords> describeSlots(const CtlCommands::ProfileData &profile, const KeyCodeString &keys)
{
    QList<SlotWords> result;
    for (int slot = 0; slot < CtlCommands::kButtons; ++slot) {
        const QVariantList &stored = profile.keyMatrix[std::size_t(slot)];
        SlotWords words;
        words.slot = slot;
        int c[4] = {0, 0, 0, 0};
        bool complete = stored.size() >= 4;
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            c[i] = stored.value(i).toString().trimmed().toInt(&ok);
            complete = complete && ok;
            words.codes.append(c[i]);
        }
        if (!complete) {
            words.category = QStringLiteral("unknown");
            words.text = QStringLiteral("damaged entry");
            result.append(words);
            continue;
        }
        words.category = categoryName(c[0]);
        const QString macro =
            c[2] >= 0 && c[2] < CtlCommands::kButtons ? profile.macroNames[std::size_t(c[2])] : QString();
        const QString text =
            FunctionCodes::describe(c[0], c[1], c[2], c[3], FunctionCodes::builtInTexts(), keys, macro);
        switch (c[0]) {
        case FunctionCodes::Fire:
            words.text =
                QStringLiteral("fire %1 every %2 ms, %3")
                    .arg(text)
                    .arg(c[2])
                    .arg(c[3] == 0 ? QStringLiteral("endless") : QStringLiteral("%1 times").arg(c[3]));
            break;
        case FunctionCodes::Macro:
            words.text = QStringLiteral("macro %1, %2").arg(text, runMode(c[1]));
            break;
        default:
            words.text = text.isEmpty() ? QStringLiteral("none (%1)").arg(hexCodes(words.codes)) : text;
            break;
        }
        result.append(words);
    }
    return result;
}

QString slotLine(const SlotWords &words)
{
    return QStringLiteral("%1 %2").arg(words.slot).arg(words.text);
}

QJsonObject slotJson(const SlotWords &words)
{
    return QJsonObject{{QStringLiteral("slot"), words.slot},
                       {QStringLiteral("codes"), QJsonArray::fromVariantList(words.codes)},
                       {QStringLiteral("category"), words.category},
                       {QStringLiteral("text"), words.text}};
}

MacroBytes macroBytes(const QString &name, const QStringList &stored, const KeyCodeString &keys)
{
    MacroBytes result;
    if (stored.isEmpty()) {
        result.error = QStringLiteral("send-macro: no macro '%1' in the macro library").arg(name);
        return result;
    }
    result.bytes = MacroEncoder::encodeStored(stored, keys);
    if (result.bytes.size() > MacroEncoder::kBlockBytes) {
        result.error = QStringLiteral("send-macro: macro '%1' takes %2 bytes; a macro slot holds %3")
                           .arg(name)
                           .arg(result.bytes.size())
                           .arg(MacroEncoder::kBlockBytes);
        result.bytes.clear();
    }
    return result;
}

} // namespace CtlMacros
