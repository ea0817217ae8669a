#include "macroencoder.h"

#include "keycodestring.h"
#include "storeconventions.h"

#include <QVariantMap>

#include <algorithm>
#include <limits>

namespace {

// The shortest pair that says "no pause" is one unit.
constexpr int kMinPause = 1;

struct Extension
{
    int unit; // 1: 20 ms, 2: 50 ms, 3: 100 ms
    int count;
};

// A long pause (in 10 ms units) as a unit code and a count of those units.
// Beyond 100-ms units the count would not fit its two bytes; such a pause is
// held at the longest one the mouse can be told.
Extension extension(int units)
{
    if (units < 100000)
        return {1, units / 2};
    if (units < 300000)
        return {2, units / 5};
    return {3, std::min(units / 10, 0xFFFF)};
}

int firstEvent(const QVector<MacroEvent> &events)
{
    for (int i = 0; i < events.size(); ++i) {
        if (events.at(i).type != MacroEvent::Delay)
            return i;
    }
    return -1;
}

void appendPair(QByteArray &bytes, int first, int second)
{
    bytes.append(char(first & 0xFF));
    bytes.append(char(second & 0xFF));
}

// Walks the events after the first, calling closePause(units) each time an
// event ends the pause after the one before it.
template<typename ClosePause, typename NextEvent>
void walk(const QVector<MacroEvent> &events, int first, ClosePause closePause, NextEvent nextEvent)
{
    qint64 milliseconds = 0;
    for (int i = first + 1; i < events.size(); ++i) {
        const MacroEvent &event = events.at(i);
        if (event.type == MacroEvent::Delay) {
            milliseconds += std::max(0, event.value);
            continue;
        }
        closePause(int(std::min<qint64>(milliseconds / 10, std::numeric_limits<int>::max())));
        milliseconds = 0;
        nextEvent(event);
    }
}

} // namespace

MacroEncoder::MacroEncoder(QObject *parent)
    : QObject(parent)
{}

QByteArray MacroEncoder::encode(const QVector<MacroEvent> &events, int repeat)
{
    QByteArray bytes;
    appendPair(bytes, repeat >> 8, repeat);
    const int first = firstEvent(events);
    if (first < 0 || first == events.size() - 1)
        return bytes;
    MacroEvent previous = events.at(first);
    walk(
        events, first,
        [&](int units) {
            const int release = previous.isRelease() ? 0x80 : 0;
            if (units < kLongPause) {
                appendPair(bytes, std::max(units, kMinPause) | release, previous.value);
                return;
            }
            const Extension ext = extension(units);
            appendPair(bytes, release, previous.value);
            appendPair(bytes, 0, ext.unit);
            appendPair(bytes, ext.count >> 8, ext.count);
        },
        [&](const MacroEvent &event) {
            previous = event;
        });
    appendPair(bytes, kMinPause | (previous.isRelease() ? 0x80 : 0), previous.value);
    appendPair(bytes, 0, 0);
    return bytes;
}

int MacroEncoder::encodedLength(const QVector<MacroEvent> &events)
{
    const int first = firstEvent(events);
    if (first < 0 || first == events.size() - 1)
        return 2;
    int length = 2 + 2 + 2; // repeat count, first event, closing pair
    walk(
        events, first,
        [&](int units) {
            length += units < kLongPause ? 0 : 4;
        },
        [&](const MacroEvent &) {
            length += 2;
        });
    return length;
}

StoredMacro MacroEncoder::parseStored(const QStringList &stored)
{
    StoredMacro macro;
    if (stored.isEmpty())
        return macro;
    for (int i = 0; i < stored.size() - 1; ++i) {
        const QString &text = stored.at(i);
        macro.rows.append({text.left(1).toInt(), text.mid(2)});
    }
    macro.repeat = stored.last().trimmed().toInt();
    return macro;
}

QVector<MacroEvent> MacroEncoder::events(const QVector<StoredMacro::Row> &rows, const KeyCodeString &keys)
{
    QVector<MacroEvent> result;
    result.reserve(rows.size());
    for (const StoredMacro::Row &row : rows) {
        const int value =
            row.type == MacroEvent::Delay ? row.info.trimmed().toInt() : keys.strTokeycode(row.info);
        result.append({row.type, value});
    }
    return result;
}

QByteArray MacroEncoder::encodeStored(const QStringList &stored, const KeyCodeString &keys)
{
    const StoredMacro macro = parseStored(stored);
    return encode(events(macro.rows, keys), macro.repeat);
}

QVector<MacroEvent> MacroEncoder::fromRows(const QVariantList &rows, const KeyCodeString &keys)
{
    QVector<StoredMacro::Row> stored;
    stored.reserve(rows.size());
    for (const QVariant &row : rows) {
        const QVariantMap map = row.toMap();
        stored.append(
            {map.value(QStringLiteral("type")).toInt(), map.value(QStringLiteral("info")).toString()});
    }
    return events(stored, keys);
}

namespace {

QVariantList toList(const QByteArray &bytes)
{
    QVariantList list;
    list.reserve(bytes.size());
    for (char byte : bytes)
        list.append(int(uchar(byte)));
    return list;
}

} // namespace

QVariantList MacroEncoder::encodeRows(const QVariantList &rows, int repeat, KeyCodeString *keys)
{
    const KeyCodeString builtIn;
    return toList(encode(fromRows(rows, keys ? *keys : builtIn), repeat));
}

int MacroEncoder::rowsLength(const QVariantList &rows)
{
    const KeyCodeString builtIn;
    return encodedLength(fromRows(rows, builtIn));
}

QVariantList MacroEncoder::encodeStoredList(const QStringList &stored, KeyCodeString *keys)
{
    const KeyCodeString builtIn;
    return toList(encodeStored(stored, keys ? *keys : builtIn));
}

bool MacroEncoder::isMacroName(const QString &name)
{
    return Store::isSafeFileName(name);
}
