#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

class KeyCodeString;

// One row of a macro's event list: a pause of `value` milliseconds, or a key
// or mouse button (`value` its code) going down or up.
struct MacroEvent
{
    enum Type { Delay = 0, KeyPress = 1, KeyRelease = 2, MousePress = 3, MouseRelease = 4 };
    int type = Delay;
    int value = 0;

    bool isRelease() const { return type == KeyRelease || type == MouseRelease; }
};

// A macro as the macro files keep it: event texts ("1,A", "0,120") and the
// repeat count.
struct StoredMacro
{
    struct Row
    {
        int type = 0;
        QString info;
    };
    QVector<Row> rows;
    int repeat = 0;
};

// Turns a macro's event list into the bytes the mouse stores in a macro slot:
// the repeat count, then one (pause, key) pair per key event, the pause being
// the one after that event, and a closing (0, 0). Pauses run in units of
// 10 ms; the milliseconds of the pause rows between two events are added up
// and the sum divided by ten, rounded down, when the next event closes the
// pause, so a pause counts the same in the bytes and in their length.
class MacroEncoder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int recordLimit READ recordLimit CONSTANT)
    Q_PROPERTY(int blockBytes READ blockBytes CONSTANT)

public:
    // A macro slot of the mouse holds 128 bytes.
    static constexpr int kBlockBytes = 128;
    // Recording and insertion go on while the encoding is shorter than this.
    static constexpr int kRecordLimit = 126;
    // Pauses of this many units or more take an extension of two pairs.
    static constexpr int kLongPause = 127;

    explicit MacroEncoder(QObject *parent = nullptr);

    int recordLimit() const { return kRecordLimit; }
    int blockBytes() const { return kBlockBytes; }

    static QByteArray encode(const QVector<MacroEvent> &events, int repeat);
    // The length encode() gives, without building it.
    static int encodedLength(const QVector<MacroEvent> &events);

    // The stored form as loadMacroIni gives it: the event texts, then the
    // repeat count.
    static StoredMacro parseStored(const QStringList &stored);
    // Event texts back to events; key texts through the key table (an
    // unknown text is code 0).
    static QVector<MacroEvent> events(const QVector<StoredMacro::Row> &rows, const KeyCodeString &keys);
    static QByteArray encodeStored(const QStringList &stored, const KeyCodeString &keys);

    // For the scene: rows are objects with `type` and `info` (a delay's
    // milliseconds or a key's text), as the editor's event list holds them.
    Q_INVOKABLE static QVariantList encodeRows(const QVariantList &rows, int repeat, KeyCodeString *keys);
    Q_INVOKABLE static int rowsLength(const QVariantList &rows);
    // The bytes the editor sends for a stored macro.
    Q_INVOKABLE static QVariantList encodeStoredList(const QStringList &stored, KeyCodeString *keys);
    // A name the macro library can keep as a file name (and so a macro may
    // be given).
    Q_INVOKABLE static bool isMacroName(const QString &name);

private:
    static QVector<MacroEvent> fromRows(const QVariantList &rows, const KeyCodeString &keys);
};
