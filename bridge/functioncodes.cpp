#include "functioncodes.h"

#include "keycodestring.h"

namespace {

constexpr int kFirstModifier = 0xE0;
constexpr int kModifiers = 8;

bool matches(const FunctionCodes::Row &row, int c0, int c1, int c2, int c3)
{
    Q_UNUSED(c1);
    if (row.c0 != c0)
        return false;
    switch (c0) {
    case FunctionCodes::Media:
    case FunctionCodes::Windows:
    case FunctionCodes::Shortcut:
        return row.c2 == c2 && row.c3 == c3;
    default:
        return row.c2 == c2;
    }
}

} // namespace

FunctionCodes::FunctionCodes(QObject *parent)
    : QObject(parent)
{}

const QVector<FunctionCodes::Row> &FunctionCodes::rows()
{
    static const QVector<Row> table = {
        // Mouse buttons and the double click.
        {Mouse, 0x00, 0xF0, 0x00, 2},
        {Mouse, 0x00, 0xF2, 0x00, 3},
        {Mouse, 0x00, 0xF1, 0x00, 4},
        {Mouse, 0x00, 0xF4, 0x00, 5},
        {Mouse, 0x00, 0xF3, 0x00, 6},
        {Mouse, 0xF0, 0x1E, 0x02, 7},
        // Media: a consumer-page usage, low byte then high byte.
        {Media, 0x00, 0x83, 0x01, 27},
        {Media, 0x00, 0xB5, 0x00, 28},
        {Media, 0x00, 0xB6, 0x00, 29},
        {Media, 0x00, 0xB7, 0x00, 30},
        {Media, 0x00, 0xE2, 0x00, 31},
        {Media, 0x00, 0xCD, 0x00, 32},
        {Media, 0x00, 0xE9, 0x00, 33},
        {Media, 0x00, 0xEA, 0x00, 34},
        // DPI steps.
        {Dpi, 0x00, 0x01, 0x00, 22},
        {Dpi, 0x00, 0x02, 0x00, 23},
        {Dpi, 0x00, 0x03, 0x00, 24},
        {Dpi, 0x00, 0x04, 0x00, 56},
        // Windows: consumer usages, then Alt+Space+X/N and Win+D/R.
        {Windows, 0x00, 0x94, 0x01, 35},
        {Windows, 0x00, 0x23, 0x02, 36},
        {Windows, 0x00, 0x21, 0x02, 37},
        {Windows, 0x04, 0x2C, 0x1B, 38},
        {Windows, 0x04, 0x2C, 0x11, 39},
        {Windows, 0x00, 0xE3, 0x07, 40},
        {Windows, 0x00, 0xE3, 0x15, 41},
        // Shortcuts: left Ctrl and a key.
        {Shortcut, 0x00, 0xE0, 0x11, 42},
        {Shortcut, 0x00, 0xE0, 0x1B, 43},
        {Shortcut, 0x00, 0xE0, 0x06, 44},
        {Shortcut, 0x00, 0xE0, 0x19, 45},
        {Shortcut, 0x00, 0xE0, 0x16, 46},
        {Shortcut, 0x00, 0xE0, 0x13, 47},
        {Shortcut, 0x00, 0xE0, 0x09, 48},
        {Shortcut, 0x00, 0xE0, 0x1C, 49},
        {Shortcut, 0x00, 0xE0, 0x1D, 50},
        {Shortcut, 0x00, 0xE0, 0x04, 51},
        // Gun slots.
        {Gun, 0x00, 0x01, 0x00, 53},
        {Gun, 0x00, 0x02, 0x00, 54},
        {Gun, 0x00, 0x03, 0x00, 55},
    };
    return table;
}

const QStringList &FunctionCodes::builtInTexts()
{
    static const QStringList texts = {
        QStringLiteral("Key "),
        QStringLiteral("Mouse Function"),
        QStringLiteral("Left Key"),
        QStringLiteral("Middle Key"),
        QStringLiteral("Right Key"),
        QStringLiteral("Forward Key"),
        QStringLiteral("Back Key"),
        QStringLiteral("Double Fire"),
        QStringLiteral("Fire Function"),
        QStringLiteral("Key Value"),
        QStringLiteral("Click Input"),
        QStringLiteral("Rate"),
        QStringLiteral("Times"),
        QStringLiteral("Endness"),
        QStringLiteral("Group Function"),
        QStringLiteral("Media Function"),
        QStringLiteral("Macro Function"),
        QStringLiteral("Macro Editor"),
        QStringLiteral("Macro runs one-time after pressing the button"),
        QStringLiteral("Macro runs endless loop until any button is pressed"),
        QStringLiteral("Macro runs endless loop until button is released"),
        QStringLiteral("DPI Function"),
        QStringLiteral("DPI+"),
        QStringLiteral("DPI-"),
        QStringLiteral("DPI LOOP"),
        QStringLiteral("Windows Function"),
        QStringLiteral("Shortcut Function"),
        QStringLiteral("Player"),
        QStringLiteral("Next"),
        QStringLiteral("Privous"),
        QStringLiteral("Stop"),
        QStringLiteral("Mute"),
        QStringLiteral("Play/Pause"),
        QStringLiteral("Volumn+"),
        QStringLiteral("Volumn-"),
        QStringLiteral("My PC"),
        QStringLiteral("Index"),
        QStringLiteral("Search"),
        QStringLiteral("Max"),
        QStringLiteral("Min"),
        QStringLiteral("Desktop"),
        QStringLiteral("Run"),
        QStringLiteral("New"),
        QStringLiteral("Cut"),
        QStringLiteral("Copy"),
        QStringLiteral("Paste"),
        QStringLiteral("Save"),
        QStringLiteral("Print"),
        QStringLiteral("Find"),
        QStringLiteral("Redo"),
        QStringLiteral("Undo"),
        QStringLiteral("Select All"),
        QStringLiteral("Gun Function"),
        QStringLiteral("One Gun"),
        QStringLiteral("Two Gun"),
        QStringLiteral("Three Gun"),
        QStringLiteral("Sniper Key"),
        QString(),
        QString(),
        QString(),
    };
    return texts;
}

int FunctionCodes::textIndex(int c0, int c1, int c2, int c3)
{
    for (const Row &row : rows()) {
        if (matches(row, c0, c1, c2, c3))
            return row.text;
    }
    return -1;
}

QVariantList FunctionCodes::codesOfText(int index)
{
    for (const Row &row : rows()) {
        if (row.text == index)
            return {row.c0, row.c1, row.c2, row.c3};
    }
    return {};
}

int FunctionCodes::modifierBit(int code)
{
    if (code < kFirstModifier || code >= kFirstModifier + kModifiers)
        return 0;
    return 1 << (code - kFirstModifier);
}

QString FunctionCodes::describe(int c0, int c1, int c2, int c3, const QStringList &texts,
                                const KeyCodeString &keys, const QString &macroName)
{
    switch (c0) {
    case Fire:
        return keys.keycodeTostr(c1);
    case Combination: {
        QStringList parts;
        for (int bit = 0; bit < kModifiers; ++bit) {
            if (c1 & (1 << bit))
                parts << keys.keycodeTostr(kFirstModifier + bit);
        }
        for (int key : {c2, c3}) {
            if (key != 0)
                parts << keys.keycodeTostr(key);
        }
        return parts.join(QLatin1Char('+'));
    }
    case Macro:
        return macroName;
    default: {
        const int index = textIndex(c0, c1, c2, c3);
        return index < 0 ? QString() : texts.value(index);
    }
    }
}

QString FunctionCodes::keyCodeToString(int c0, int c1, int c2, int c3, const QStringList &texts,
                                       KeyCodeString *keys, const QString &macroName)
{
    if (keys)
        return describe(c0, c1, c2, c3, texts, *keys, macroName);
    const KeyCodeString builtIn;
    return describe(c0, c1, c2, c3, texts, builtIn, macroName);
}
