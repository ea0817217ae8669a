#include "keycodestring.h"

namespace {

struct Entry
{
    int code;
    const char *text;
};

QVector<Entry> buildTable()
{
    QVector<Entry> table;
    // Letters, digits and the main block, in usage order.
    static const char *const mainBlock[] = {
        "A",       "B",   "C",     "D",      "E",      "F",      "G",      "H",   "I",   "J",   "K",   "L",
        "M",       "N",   "O",     "P",      "Q",      "R",      "S",      "T",   "U",   "V",   "W",   "X",
        "Y",       "Z",   "1",     "2",      "3",      "4",      "5",      "6",   "7",   "8",   "9",   "0",
        "Enter",   "Esc", "Back",  "Tab",    "Space",  "-",      "=",      "[",   "]",   "\\",  "\\",  ";",
        "'",       "`",   ",",     ".",      "/",      "Caps",   "F1",     "F2",  "F3",  "F4",  "F5",  "F6",
        "F7",      "F8",  "F9",    "F10",    "F11",    "F12",    "Prt",    "Scr", "Pau", "Ins", "Hom", "Pgu",
        "Del",     "End", "PgD",   "\u25BA", "\u25C4", "\u25BC", "\u25B2", "Num", "KP/", "KP*", "KP-", "KP+",
        "KPEnter", "KP1", "KP2",   "KP3",    "KP4",    "KP5",    "KP6",    "KP7", "KP8", "KP9", "KP0", "KP.",
        "Eur2",    "App", "Power", "KP=",    "F13",    "F14",    "F15",    "F16", "F17", "F18", "F19", "F20",
        "F21",     "F22", "F23",   "F24"};
    int code = 0x04;
    for (const char *text : mainBlock)
        table.push_back({code++, text});
    // International and language keys. 0x89 is the third international key;
    // its text must differ from every other entry's or a recorded 0x89 would
    // come back as another key.
    const Entry rest[] = {{0x85, "Keypad"}, {0x87, "Intl1"},  {0x88, "Intl2"}, {0x89, "Intl3"},
                          {0x8A, "Intl4"},  {0x8B, "Intl5"},  {0x90, "Lang1"}, {0x91, "Lang2"},
                          {0xE0, "LCtrl"},  {0xE1, "LShift"}, {0xE2, "LAlt"},  {0xE3, "LWin"},
                          {0xE4, "RCtrl"},  {0xE5, "RShift"}, {0xE6, "RAlt"},  {0xE7, "RWin"},
                          {0xF0, "MS-L"},   {0xF1, "MS-R"},   {0xF2, "MS-M"},  {0xF3, "MS-B4"},
                          {0xF4, "MS-B5"}};
    for (const Entry &entry : rest)
        table.push_back(entry);
    return table;
}

const QVector<Entry> &table()
{
    static const QVector<Entry> entries = buildTable();
    return entries;
}

} // namespace

KeyCodeString::KeyCodeString(QObject *parent)
    : QObject(parent)
    , m_texts(builtInTexts())
{}

const QVector<int> &KeyCodeString::codes()
{
    static const QVector<int> list = [] {
        QVector<int> result;
        for (const Entry &entry : table())
            result.push_back(entry.code);
        return result;
    }();
    return list;
}

const QStringList &KeyCodeString::builtInTexts()
{
    static const QStringList list = [] {
        QStringList result;
        for (const Entry &entry : table())
            result << QString::fromUtf8(entry.text);
        return result;
    }();
    return list;
}

QString KeyCodeString::keycodeTostr(int code) const
{
    const int i = int(codes().indexOf(code));
    return i < 0 ? QString() : m_texts.value(i);
}

int KeyCodeString::strTokeycode(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    const int i = int(m_texts.indexOf(text));
    return i < 0 ? 0 : codes().at(i);
}

void KeyCodeString::setTexts(const QStringList &texts)
{
    QStringList replaced = builtInTexts();
    for (int i = 0; i < replaced.size() && i < texts.size(); ++i) {
        if (!texts.at(i).isEmpty())
            replaced[i] = texts.at(i);
    }
    if (replaced == m_texts)
        return;
    m_texts = replaced;
    emit textsChanged();
}
