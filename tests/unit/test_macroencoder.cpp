#include "keycodestring.h"
#include "macroencoder.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

MacroEvent press(int code)
{
    return {MacroEvent::KeyPress, code};
}
MacroEvent release(int code)
{
    return {MacroEvent::KeyRelease, code};
}
MacroEvent pause(int ms)
{
    return {MacroEvent::Delay, ms};
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

// What the mouse reads back from a macro slot: each key event with its
// release flag and the pause after it in 10 ms units, and how finely that
// pause was told (1 for short pauses, 2, 5 or 10 for the extensions).
struct Decoded
{
    int key;
    bool release;
    int units;
    int resolution;
};

QVector<Decoded> decode(const QByteArray &data)
{
    QVector<Decoded> events;
    for (int i = 2; i + 1 < data.size(); i += 2) {
        const int d = uchar(data[i]);
        const int k = uchar(data[i + 1]);
        if (d == 0 && k == 0)
            break;
        Decoded event{k, (d & 0x80) != 0, d & 0x7F, 1};
        if (event.units == 0) {
            const int unit = uchar(data[i + 3]);
            const int count = uchar(data[i + 4]) * 256 + uchar(data[i + 5]);
            event.resolution = unit == 1 ? 2 : unit == 2 ? 5 : 10;
            event.units = count * event.resolution;
            i += 4;
        }
        events.append(event);
    }
    return events;
}

} // namespace

class TestMacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    // The worked examples of the macro format, and how pauses that are not
    // whole units are counted.
    void encodes_data()
    {
        QTest::addColumn<QVector<MacroEvent>>("events");
        QTest::addColumn<int>("repeat");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("A, 120 ms, A up") << QVector<MacroEvent>{press(4), pause(120), release(4)} << 1
                                         << bytes({0x00, 0x01, 0x0C, 0x04, 0x81, 0x04, 0x00, 0x00});
        QTest::newRow("2 s after a release")
            << QVector<MacroEvent>{press(4), release(4), pause(2000), press(5), release(5)} << 1
            << bytes({0x00, 0x01, 0x01, 0x04, 0x80, 0x04, 0x00, 0x01, 0x00, 0x64, 0x01, 0x05, 0x81, 0x05, 0,
                      0});
        QTest::newRow("lone press") << QVector<MacroEvent>{press(4)} << 1 << bytes({0x00, 0x01});
        QTest::newRow("lone press after pauses")
            << QVector<MacroEvent>{pause(50), pause(20), press(4)} << 3 << bytes({0x00, 0x03});
        QTest::newRow("no events") << QVector<MacroEvent>{pause(50)} << 0 << bytes({0x00, 0x00});
        QTest::newRow("repeat high byte first, trailing pause dropped")
            << QVector<MacroEvent>{pause(30), press(4), pause(10), pause(20), release(4), pause(500)} << 300
            << bytes({0x01, 0x2C, 0x03, 0x04, 0x81, 0x04, 0, 0});
        // Milliseconds are added up and rounded down once: 15 + 14 ms is
        // 2 units, 9 ms none (sent as 1).
        QTest::newRow("sum then round down")
            << QVector<MacroEvent>{press(4), pause(15), pause(14), release(4), pause(9), press(5)} << 1
            << bytes({0, 1, 0x02, 0x04, 0x81, 0x04, 0x01, 0x05, 0, 0});
        QTest::newRow("1269 ms stays short") << QVector<MacroEvent>{press(4), pause(1269), press(5)} << 1
                                             << bytes({0, 1, 0x7E, 0x04, 0x01, 0x05, 0, 0});
        QTest::newRow("1270 ms is long")
            << QVector<MacroEvent>{press(4), pause(1270), press(5)} << 1
            << bytes({0, 1, 0x00, 0x04, 0x00, 0x01, 0x00, 0x3F, 0x01, 0x05, 0, 0});
        QTest::newRow("50 ms units")
            << QVector<MacroEvent>{press(4),     pause(60000), pause(60000), pause(60000), pause(60000),
                                   pause(60000), pause(60000), pause(60000), pause(60000), pause(60000),
                                   pause(60000), pause(60000), pause(60000), pause(60000), pause(60000),
                                   pause(60000), pause(60000), pause(60000), press(5)}
            << 1 << bytes({0, 1, 0x00, 0x04, 0x00, 0x02, 0x4F, 0xB0, 0x01, 0x05, 0, 0}); // 102000 / 5
        QTest::newRow("mouse release flag")
            << QVector<MacroEvent>{{MacroEvent::MousePress, 0xF0}, {MacroEvent::MouseRelease, 0xF0}} << 1
            << bytes({0, 1, 0x01, 0xF0, 0x81, 0xF0, 0, 0});
    }
    void encodes()
    {
        QFETCH(QVector<MacroEvent>, events);
        QFETCH(int, repeat);
        QFETCH(QByteArray, expected);
        const QByteArray encoded = MacroEncoder::encode(events, repeat);
        QCOMPARE(encoded.toHex(' '), expected.toHex(' '));
        QCOMPARE(MacroEncoder::encodedLength(events), int(expected.size()));
    }

    // The longest pauses: beyond what 100 ms units can count, the pause is
    // held at the longest the mouse can be told instead of running over
    // its two bytes.
    void longestPauses()
    {
        auto longPause = [](qint64 units) {
            QVector<MacroEvent> events{press(4)};
            for (qint64 left = units * 10; left > 0; left -= 60000)
                events.append(pause(int(std::min<qint64>(left, 60000))));
            events.append(press(5));
            return MacroEncoder::encode(events, 1).mid(4, 4).toHex(' ');
        };
        QCOMPARE(longPause(99999), QByteArray("00 01 c3 4f"));  // 49999 x 20 ms
        QCOMPARE(longPause(299999), QByteArray("00 02 ea 5f")); // 59999 x 50 ms
        QCOMPARE(longPause(599999), QByteArray("00 03 ea 5f")); // 59999 x 100 ms
        QCOMPARE(longPause(700000), QByteArray("00 03 ff ff"));
    }

    // The record limit: with short pauses 60 events take 124 bytes, so a
    // 61st is still taken and fills the 126.
    void recordLimitAt61Events()
    {
        QVector<MacroEvent> events;
        for (int i = 0; i < 61; ++i) {
            if (i > 0)
                events.append(pause(30));
            events.append(i % 2 ? release(4) : press(4));
            const int length = MacroEncoder::encodedLength(events);
            QCOMPARE(length, i == 0 ? 2 : 2 + 2 * (i + 1) + 2);
            QCOMPARE(int(MacroEncoder::encode(events, 1).size()), length);
        }
        QCOMPARE(MacroEncoder::encodedLength(events), MacroEncoder::kRecordLimit);
        QCOMPARE(MacroEncoder::kBlockBytes, 128);
    }

    // Over generated lists: the length count matches the encoding, and the
    // mouse reads back the keys, release flags and pauses (to within the
    // unit each pause was told in).
    void generatedListsDecodeBack()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 500; ++round) {
            QVector<MacroEvent> events;
            const int rows = random.bounded(1, 40);
            for (int r = 0; r < rows; ++r) {
                const int type = random.bounded(5);
                // Mostly short pauses, some long ones, some beyond 10 ms steps.
                const int value = type == MacroEvent::Delay
                                      ? (random.bounded(4) == 0 ? random.bounded(65536) : random.bounded(400))
                                      : random.bounded(4, 0xE8);
                events.append({type, value});
            }
            const int repeat = random.bounded(65536);
            const QByteArray encoded = MacroEncoder::encode(events, repeat);
            QCOMPARE(int(encoded.size()), MacroEncoder::encodedLength(events));
            QCOMPARE(uchar(encoded[0]) * 256 + uchar(encoded[1]), repeat);

            // What was meant: each key event and the pause after it.
            QVector<Decoded> meant;
            qint64 ms = 0;
            for (const MacroEvent &event : events) {
                if (event.type == MacroEvent::Delay) {
                    ms += event.value;
                    continue;
                }
                if (!meant.isEmpty())
                    meant.last().units = int(ms / 10);
                ms = 0;
                meant.append({event.value, event.isRelease(), 0, 1});
            }
            int first = 0;
            while (first < events.size() && events[first].type == MacroEvent::Delay)
                ++first;
            if (first >= events.size() - 1) {
                QCOMPARE(int(encoded.size()), 2);
                continue;
            }
            const QVector<Decoded> read = decode(encoded);
            QCOMPARE(read.size(), meant.size());
            for (int i = 0; i < read.size(); ++i) {
                QCOMPARE(read[i].key, meant[i].key);
                QCOMPARE(read[i].release, meant[i].release);
                if (i == read.size() - 1)
                    continue; // the last event's pause is always 1
                // A pause of no unit is told as one.
                QVERIFY2(std::abs(read[i].units - meant[i].units) <= std::max(1, read[i].resolution - 1),
                         qPrintable(QStringLiteral("round %1 event %2: %3 for %4")
                                        .arg(round)
                                        .arg(i)
                                        .arg(read[i].units)
                                        .arg(meant[i].units)));
            }
        }
    }

    // The stored form: "type,info" texts and the repeat count last; the info
    // starts at the third character, so a comma key survives.
    void storedMacros()
    {
        const KeyCodeString keys;
        const QStringList stored = {QStringLiteral("1,A"), QStringLiteral("0,120"),  QStringLiteral("2,A"),
                                    QStringLiteral("1,,"), QStringLiteral("3,MS-L"), QStringLiteral("5")};
        const StoredMacro macro = MacroEncoder::parseStored(stored);
        QCOMPARE(macro.repeat, 5);
        QCOMPARE(macro.rows.size(), 5);
        QCOMPARE(macro.rows[3].info, QStringLiteral(","));
        QCOMPARE(MacroEncoder::encodeStored(stored, keys).toHex(' '),
                 QByteArray("00 05 0c 04 81 04 01 36 01 f0 00 00"));
        // An unknown key text is code 0; an empty stored form is nothing.
        QCOMPARE(MacroEncoder::encodeStored(
                     {QStringLiteral("1,Nope"), QStringLiteral("2,A"), QStringLiteral("1")}, keys)
                     .toHex(' '),
                 QByteArray("00 01 01 00 81 04 00 00"));
        QCOMPARE(MacroEncoder::encodeStored({}, keys).toHex(' '), QByteArray("00 00"));
        // The scene's rows give the same bytes.
        const QVariantList rows = {
            QVariantMap{{QStringLiteral("type"), 1}, {QStringLiteral("info"), QStringLiteral("A")}},
            QVariantMap{{QStringLiteral("type"), 0}, {QStringLiteral("info"), QStringLiteral("120")}},
            QVariantMap{{QStringLiteral("type"), 2}, {QStringLiteral("info"), QStringLiteral("A")}}};
        QCOMPARE(MacroEncoder::encodeRows(rows, 1, nullptr), (QVariantList{0, 1, 0x0C, 4, 0x81, 4, 0, 0}));
        QCOMPARE(MacroEncoder::rowsLength(rows), 8);
    }

    void macroNames()
    {
        QVERIFY(MacroEncoder::isMacroName(QStringLiteral("Macro_0")));
        QVERIFY(MacroEncoder::isMacroName(QStringLiteral("连发 1")));
        for (const char *bad : {"", "a/b", "a\\b", "..", "con", "name.", "a:b"})
            QVERIFY2(!MacroEncoder::isMacroName(QString::fromUtf8(bad)), bad);
    }
};

QTEST_MAIN(TestMacroEncoder)
#include "test_macroencoder.moc"
