#include "evdevscancodes.h"
#include "keytables.h"

#include <QTest>

#include <set>

namespace {

// The Linux kernel's map from HID keyboard usage (index) to evdev key code
// (drivers/hid/hid-input.c, hid_keyboard[]), usages 00 to E7: an independent
// account of which key each usage code names.
constexpr unsigned char kHidKeyboard[0xE8] = {
    0,   0,   0,   0,   30,  48,  46,  32,  18,  33,  34,  35,  23,  36,  37,  38,  // 00
    50,  49,  24,  25,  16,  19,  31,  20,  22,  47,  17,  45,  21,  44,  2,   3,   // 10
    4,   5,   6,   7,   8,   9,   10,  11,  28,  1,   14,  15,  57,  12,  13,  26,  // 20
    27,  43,  43,  39,  40,  41,  51,  52,  53,  58,  59,  60,  61,  62,  63,  64,  // 30
    65,  66,  67,  68,  87,  88,  99,  70,  119, 110, 102, 104, 111, 107, 109, 106, // 40
    105, 108, 103, 69,  98,  55,  74,  78,  96,  79,  80,  81,  75,  76,  77,  71,  // 50
    72,  73,  82,  83,  86,  127, 116, 117, 183, 184, 185, 186, 187, 188, 189, 190, // 60
    191, 192, 193, 194, 134, 138, 130, 132, 128, 129, 131, 137, 133, 135, 136, 113, // 70
    115, 114, 0,   0,   0,   121, 0,   89,  93,  124, 92,  94,  95,  0,   0,   0,   // 80
    122, 123, 90,  91,  85,  0,   0,   0,   0,   0,   0,   0,   111, 0,   0,   0,   // 90
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   // A0
    0,   0,   0,   0,   0,   0,   179, 180, 0,   0,   0,   0,   0,   0,   0,   0,   // B0
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   // C0
    0,   0,   0,   0,   0,   0,   0,   0,   111, 0,   0,   0,   0,   0,   0,   0,   // D0
    29,  42,  56,  125, 97,  54,  100, 126,                                         // E0
};

unsigned kernelEvdevForUsage(unsigned usage)
{
    return usage < sizeof kHidKeyboard ? kHidKeyboard[usage] : 0;
}

} // namespace

class TestKeyTables : public QObject
{
    Q_OBJECT

private slots:
    void tablesHaveTheirRows()
    {
        const KeyTables tables(0);
        QCOMPARE(tables.scanTableSize(), KeyTables::kScanRowCount);
        QCOMPARE(tables.usageTableSize(), KeyTables::kUsageRowCount);

        // No two scan rows share a virtual-key code, and every usage row is
        // a distinct virtual-key code: otherwise rows would overwrite each
        // other and the counts above would not hold for the right reason.
        std::set<int> virtualKeys;
        for (const KeyTables::ScanRow &row : KeyTables::scanRows())
            QVERIFY2(virtualKeys.insert(row.virtualKey).second,
                     qPrintable(QString::number(row.virtualKey, 16)));
        std::set<int> usageKeys;
        for (const KeyTables::UsageRow &row : tables.usageRows()) {
            QVERIFY(usageKeys.insert(row.virtualKey).second);
            QVERIFY(row.usage != 0);
        }
        for (int vk : virtualKeys)
            QVERIFY(usageKeys.count(vk));
    }

    void scanCodesGiveTheirUsages_data()
    {
        QTest::addColumn<uint>("scan");
        QTest::addColumn<bool>("extended");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<int>("usage");
        QTest::newRow("A") << 0x1Eu << false << false << 0x04;
        QTest::newRow("main Enter") << 0x1Cu << false << false << 0x28;
        QTest::newRow("keypad Enter") << 0x1Cu << true << false << 0x58;
        QTest::newRow("Alt+SysRq") << 0x54u << false << true << 0x46;
        QTest::newRow("Alt+SysRq extended") << 0x54u << true << true << 0x46;
        QTest::newRow("Print Screen") << 0x37u << true << false << 0x46;
        QTest::newRow("Print Screen with Alt") << 0x37u << true << true << 0x46;
        QTest::newRow("SysRq without Alt") << 0x54u << false << false << 0;
        QTest::newRow("keypad *") << 0x37u << false << false << 0x55;
        QTest::newRow("right Windows") << 0x5Cu << true << false << 0;
        QTest::newRow("Katakana/Hiragana") << 0x70u << false << false << 0;
        QTest::newRow("Pause") << 0x45u << false << false << 0x48;
        QTest::newRow("Ctrl+Break") << 0x46u << true << false << 0x48;
        QTest::newRow("Scroll Lock") << 0x46u << false << false << 0x47;
        QTest::newRow("Num Lock") << 0x45u << true << false << 0x53;
        QTest::newRow("right Shift") << 0x36u << true << false << 0xE5;
        QTest::newRow("right Shift, plain") << 0x36u << false << false << 0;
        QTest::newRow("left Windows") << 0x5Bu << true << false << 0xE3;
        QTest::newRow("Menu") << 0x5Du << true << false << 0x65;
        QTest::newRow("right Ctrl") << 0x1Du << true << false << 0xE4;
        QTest::newRow("right Alt") << 0x38u << true << false << 0xE6;
        QTest::newRow("A with Alt") << 0x1Eu << false << true << 0x04;
        QTest::newRow("F23") << 0x6Eu << false << false << 0x72;
        QTest::newRow("no key") << 0x00u << false << false << 0;
        // A scan code beyond a byte is no key, not its low byte.
        QTest::newRow("scan above 255") << 0x11Eu << false << false << 0;
        QTest::newRow("scan 0x154 with Alt") << 0x154u << false << true << 0;
    }
    void scanCodesGiveTheirUsages()
    {
        QFETCH(uint, scan);
        QFETCH(bool, extended);
        QFETCH(bool, alt);
        QFETCH(int, usage);
        const KeyTables tables(0);
        QCOMPARE(int(tables.usageForKey(scan, extended, alt)), usage);
    }

    void layoutOptionSwitchesTheKeyLeftOfEnter()
    {
        QCOMPARE(int(KeyTables(0).usageForKey(0x2B, false, false)), 0x31);
        QCOMPARE(int(KeyTables(1).usageForKey(0x2B, false, false)), 0x32);
        QCOMPARE(int(KeyTables(0xFF).usageForKey(0x2B, false, false)), 0x32);
        QCOMPARE(int(KeyTables(1).usage(0xDC)), 0x32);
        // Nothing else moves with the option.
        const KeyTables us(0);
        const KeyTables other(1);
        for (int vk = 0; vk < 256; ++vk) {
            if (vk != 0xDC)
                QCOMPARE(us.usage(quint8(vk)), other.usage(quint8(vk)));
        }
    }

    void buttonTable()
    {
        struct Row
        {
            quint32 message;
            int button; // -1: nothing
            bool pressed;
        };
        const Row rows[] = {
            {0x0201, 0xF0, true}, {0x0202, 0xF0, false}, {0x0203, -1, false},
            {0x0204, 0xF1, true}, {0x0205, 0xF1, false}, {0x0206, -1, false},
            {0x0207, 0xF2, true}, {0x0208, 0xF2, false}, {0x0209, -1, false}, // middle double click
            {0x0200, -1, false},                                              // move
            {0x020A, -1, false},                                              // wheel
            {0x020B, -1, false},                                              // side button
        };
        for (const Row &row : rows) {
            const auto transition = buttonForMessage(row.message);
            QCOMPARE(transition.has_value(), row.button >= 0);
            if (transition) {
                QCOMPARE(int(transition->button), row.button);
                QCOMPARE(transition->pressed, row.pressed);
            }
        }
    }

    // Each Linux key that lands on a usage lands on the usage the HID
    // keyboard page gives that key; layout option 1 included, where the
    // backslash key becomes the non-US # usage (both are evdev 43).
    void evdevKeysLandOnTheirHidUsages()
    {
        for (quint8 option : {quint8(0), quint8(1)}) {
            const KeyTables tables(option);
            std::set<unsigned> evdevSeen;
            for (std::size_t i = 0; i < EvdevScanCodes::rowCount(); ++i) {
                const EvdevScanCodes::Row &row = EvdevScanCodes::rows()[i];
                QVERIFY2(evdevSeen.insert(row.evdev).second, "evdev code listed twice");
                QVERIFY(row.scan != 0);
                const unsigned usage = tables.usageForKey(row.scan, row.extended, false);
                if (usage == 0)
                    continue; // a key the tables do not know
                QVERIFY2(
                    kernelEvdevForUsage(usage) == row.evdev,
                    qPrintable(QStringLiteral("evdev %1 gives usage %2, which the HID page gives evdev %3")
                                   .arg(row.evdev)
                                   .arg(usage, 2, 16, QLatin1Char('0'))
                                   .arg(kernelEvdevForUsage(usage))));
            }
        }
        QCOMPARE(int(KeyTables(1).usageForKey(0x2B, false, false)), 0x32);
        QCOMPARE(int(kernelEvdevForUsage(0x32)), 43);
    }

    // The other way round: every scan row's usage names a key that Linux
    // knows (by the HID page), and that key maps back to the row's scan code.
    // So every key of the tables is reachable on Linux.
    void everyScanRowIsReachableFromLinux()
    {
        const KeyTables tables(0);
        for (const KeyTables::ScanRow &row : KeyTables::scanRows()) {
            const unsigned usage = tables.usageForKey(row.scan, row.extended, false);
            const unsigned evdev = kernelEvdevForUsage(usage);
            const QByteArray what = QStringLiteral("scan %1%2 usage %3")
                                        .arg(row.scan, 2, 16, QLatin1Char('0'))
                                        .arg(row.extended ? QStringLiteral("+E") : QString())
                                        .arg(usage, 2, 16, QLatin1Char('0'))
                                        .toLatin1();
            QVERIFY2(evdev != 0, what.constData());
            QVERIFY2(EvdevScanCodes::forEvdev(evdev) == (ScanCode{row.scan, row.extended}), what.constData());
        }
    }

    void evdevExamples()
    {
        QCOMPARE(EvdevScanCodes::forEvdev(96), (ScanCode{0x1C, true}));   // keypad Enter
        QCOMPARE(EvdevScanCodes::forEvdev(28), (ScanCode{0x1C, false}));  // Enter
        QCOMPARE(EvdevScanCodes::forEvdev(97), (ScanCode{0x1D, true}));   // right Ctrl
        QCOMPARE(EvdevScanCodes::forEvdev(99), (ScanCode{0x37, true}));   // Print Screen
        QCOMPARE(EvdevScanCodes::forEvdev(100), (ScanCode{0x38, true}));  // right Alt
        QCOMPARE(EvdevScanCodes::forEvdev(69), (ScanCode{0x45, true}));   // Num Lock
        QCOMPARE(EvdevScanCodes::forEvdev(119), (ScanCode{0x45, false})); // Pause
        QCOMPARE(EvdevScanCodes::forEvdev(54), (ScanCode{0x36, true}));   // right Shift
        QCOMPARE(EvdevScanCodes::forEvdev(125), (ScanCode{0x5B, true}));  // left Meta
        QCOMPARE(EvdevScanCodes::forEvdev(126), (ScanCode{0x5C, true}));  // right Meta
        QCOMPARE(EvdevScanCodes::forEvdev(127), (ScanCode{0x5D, true}));  // Menu
        QCOMPARE(EvdevScanCodes::forEvdev(86), (ScanCode{0x56, false}));  // 102nd key
        for (unsigned evdev : {102u, 103u, 104u, 105u, 106u, 107u, 108u, 109u, 110u, 111u})
            QVERIFY(EvdevScanCodes::forEvdev(evdev).extended);
        // Not keys of a keyboard, or out of range.
        QVERIFY(!EvdevScanCodes::forEvdev(0).isValid());
        QVERIFY(!EvdevScanCodes::forEvdev(113).isValid());   // mute
        QVERIFY(!EvdevScanCodes::forEvdev(0x110).isValid()); // BTN_LEFT
        QVERIFY(!EvdevScanCodes::forEvdev(100000).isValid());
        QCOMPARE(EvdevScanCodes::forXKeycode(38), (ScanCode{0x1E, false}));
        QVERIFY(!EvdevScanCodes::forXKeycode(7).isValid());
    }
};

QTEST_APPLESS_MAIN(TestKeyTables)
#include "test_keytables.moc"
