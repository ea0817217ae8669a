#include "commandtest.h"

#include <QTest>

// The 553 family on a mouse with 32-byte reports.
class TestCommands553 : public CommandTest
{
    Q_OBJECT

public:
    TestCommands553()
        : CommandTest(ChipFamily::F553, 32)
    {}

private slots:
    void secrecyCodeEcho()
    {
        uchar a = 0x11, b = 0x22, c = 0x33, d = 0x44;
        hid().hid553_00H_GetSecrecyCode(a, b, c, d);
        expectRequests({commandReport({0x00, 0x11, 0x22, 0x33, 0x44})});
        QCOMPARE((std::array<uchar, 4>{a, b, c, d}), (std::array<uchar, 4>{0x11, 0x22, 0x33, 0x44}));

        // A failed exchange leaves zeros.
        link().backend.unplug();
        hid().hid553_00H_GetSecrecyCode(a, b, c, d);
        QCOMPARE((std::array<uchar, 4>{a, b, c, d}), (std::array<uchar, 4>{0, 0, 0, 0}));
    }

    void reportRate()
    {
        hid().hid553_01H_SetReportRate(4);
        expectRequests({commandReport({0x01, 0x04})});
        QCOMPARE(link().sent(HidCall::SendFeature).size(), 1);
        QCOMPARE(link().clock.pauses(), settled());
        QCOMPARE(mouse().reportRate(), 4);
    }

    void currentKeyMatrix()
    {
        hid().hid553_02H_SetCurrentKeyMatrix(3);
        expectRequests({commandReport({0x02, 0x03})});
        QCOMPARE(link().clock.pauses(), settled());
        QCOMPARE(mouse().currentKeyMatrix(), 3);
    }

    void keyboardOptions()
    {
        hid().hid553_03H_SetKeyboardoption(0x01, 0x02, 0x03, 0x40);
        expectRequests({commandReport({0x03, 0x01, 0x02, 0x03, 0x40})});
        QCOMPARE(link().clock.pauses(), QList<int>{8});
        QCOMPARE(mouse().keyboardOptions553(), (std::array<uchar, 4>{0x01, 0x02, 0x03, 0x40}));

        uchar a = 0, b = 0, c = 0, d = 0;
        hid().hid553_83H_GetKeyboardoption(a, b, c, d);
        QCOMPARE((std::array<uchar, 4>{a, b, c, d}), (std::array<uchar, 4>{0x01, 0x02, 0x03, 0x40}));

        // A failed exchange leaves what the caller had.
        link().backend.unplug();
        a = 9, b = 8, c = 7, d = 6;
        hid().hid553_83H_GetKeyboardoption(a, b, c, d);
        QCOMPARE((std::array<uchar, 4>{a, b, c, d}), (std::array<uchar, 4>{9, 8, 7, 6}));
    }

    void gunDataStartsAtByteThree()
    {
        hid().hid553_04H_SetGunData(1, 2, 3, 4);
        const QByteArray expected = commandReport({0x04, 0x00, 0x01, 0x02, 0x03, 0x04});
        QCOMPARE(uchar(expected.at(8)), uchar(0xF1));
        expectRequests({expected});
        QCOMPARE(link().clock.pauses(), QList<int>{8});
        QCOMPARE(mouse().gunData(), (std::array<uchar, 4>{1, 2, 3, 4}));
    }

    void currentStage()
    {
        hid().hid553_0BH_SetCurrentDPI(5);
        expectRequests({commandReport({0x0B, 0x05})});
        QCOMPARE(link().clock.pauses(), settled());
        QCOMPARE(mouse().currentStage(), 5);

        uchar stage = 0;
        hid().hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(stage, 5);
    }

    void currentStageReadFailures()
    {
        link().backend.failCall(HidCall::GetFeature);
        uchar stage = 42;
        hid().hid553_8BH_GetCurrentDPI(stage);
        QCOMPARE(stage, 42);
        expectBusyFailure("cmd Failed 8BH", [&] {
            hid().hid553_8BH_GetCurrentDPI(stage);
        });
        QCOMPARE(stage, 42);
    }

    void fixedColour()
    {
        uchar colour[3] = {0xFF, 0x00, 0x10};
        hid().hid553_0CH_SetFixLEDColor(colour);
        expectRequests({commandReport({0x0C, 0xFF, 0x00, 0x10})});
        QCOMPARE(link().clock.pauses(), settled());
        QCOMPARE(mouse().fixedLedColor(), (std::array<uchar, 3>{0xFF, 0x00, 0x10}));
    }

    void lightingEffect()
    {
        hid().hid553_0DH_SetRGBLedEffect(2, 3, 1);
        expectRequests({commandReport({0x0D, 0x02, 0x03, 0x01})});
        QCOMPARE(link().clock.pauses(), settled());
        QCOMPARE(mouse().rgbEffect(), (std::array<uchar, 3>{2, 3, 1}));
    }

    void stageColoursOneWord()
    {
        QByteArray colours = countingBytes(36, 1);
        hid().hid553_10H_SetLED8StageColor(2, reinterpret_cast<uchar *>(colours.data()));
        expectRequests({commandReport({0x10, 0x02, 0x04})});
        const QList<QByteArray> reports = link().sent(HidCall::Write);
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports[0], QByteArray(1, '\0') + colours.left(4) + QByteArray(28, '\0'));
        QCOMPARE(link().clock.pauses(), settled(1));
        QCOMPARE(mouse().ledColors(), colours.left(4));
    }

    void stageColoursTwelve_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("type 0") << 0;
        QTest::newRow("type 1") << 1;
    }

    void stageColoursTwelve()
    {
        QFETCH(int, type);
        QByteArray colours = countingBytes(36, 1);
        hid().hid553_10H_SetLED8StageColor(uchar(type), reinterpret_cast<uchar *>(colours.data()));
        expectRequests({commandReport({0x10, type, 36})});
        QCOMPARE(link().sent(HidCall::Write).size(), 2);
        QCOMPARE(link().clock.pauses(), settled(2));
        QCOMPARE(mouse().ledColorType(), type);
        QCOMPARE(mouse().ledColors(), colours);
    }

    void dpiTable()
    {
        QByteArray registers = countingBytes(8, 0x10);
        hid().hid553_11H_SetDPISet(4, reinterpret_cast<uchar *>(registers.data()));
        expectRequests({commandReport({0x11, 0x04, 0x08})});
        QCOMPARE(link().sent(HidCall::Write), {QByteArray(1, '\0') + registers + QByteArray(24, '\0')});
        QCOMPARE(link().clock.pauses(), settled(1));
        QCOMPARE(mouse().dpiStageCount(), 4);
        QCOMPARE(mouse().dpiTable(), registers);
    }

    void keyMatrix()
    {
        QByteArray matrix = countingBytes(64, 0x40);
        hid().hid553_12H_SetKeyMatrix(reinterpret_cast<uchar *>(matrix.data()), 2);
        expectRequests({commandReport({0x12, 0x02, 0x40, 0x08})});
        QCOMPARE(link().sent(HidCall::Write), (QList<QByteArray>{QByteArray(1, '\0') + matrix.left(32),
                                                                 QByteArray(1, '\0') + matrix.mid(32)}));
        QCOMPARE(link().clock.pauses(), settled(2));
        QCOMPARE(mouse().keyMatrix(2), matrix);
    }

    void macro()
    {
        QByteArray bytes = countingBytes(128, 0x80);
        hid().hid553_13H_SetMacroKey(12, reinterpret_cast<uchar *>(bytes.data()));
        expectRequests({commandReport({0x13, 0x0C, 0x80})});
        QCOMPARE(link().sent(HidCall::Write).size(), 4);
        QCOMPARE(link().clock.pauses(), settled(4));
        QCOMPARE(mouse().macro(12), bytes);
    }

    // Out-of-range numbers go to the mouse as given; it refuses them.
    void outOfRangeArgumentsAreTheMousesCall()
    {
        QByteArray bytes = countingBytes(128);
        hid().hid553_13H_SetMacroKey(200, reinterpret_cast<uchar *>(bytes.data()));
        hid().hid553_0BH_SetCurrentDPI(0);
        expectRequests({commandReport({0x13, 200, 0x80}), commandReport({0x0B, 0x00})});
        QVERIFY(!link().backend.violations().isEmpty());
        for (int i = 0; i < link().backend.mouseCount(); ++i)
            link().backend.mouse(i).clearViolations();
    }

    void busyLinkGivesTheFailureLine()
    {
        uchar bytes[128] = {};
        uchar a = 0, b = 0, c = 0, d = 0;
        expectBusyFailure("cmd Failed 00", [&] {
            hid().hid553_00H_GetSecrecyCode(a, b, c, d);
        });
        expectBusyFailure("cmd Failed 01", [&] {
            hid().hid553_01H_SetReportRate(1);
        });
        expectBusyFailure("cmd Failed 02", [&] {
            hid().hid553_02H_SetCurrentKeyMatrix(1);
        });
        expectBusyFailure("cmd Failed 03", [&] {
            hid().hid553_03H_SetKeyboardoption(1, 2, 3, 4);
        });
        expectBusyFailure("cmd Failed 04", [&] {
            hid().hid553_04H_SetGunData(1, 2, 3, 4);
        });
        expectBusyFailure("cmd Failed 0B", [&] {
            hid().hid553_0BH_SetCurrentDPI(1);
        });
        expectBusyFailure("cmd Failed 0C", [&] {
            hid().hid553_0CH_SetFixLEDColor(bytes);
        });
        expectBusyFailure("cmd Failed 0D", [&] {
            hid().hid553_0DH_SetRGBLedEffect(1, 2, 3);
        });
        expectBusyFailure("cmd Failed 10", [&] {
            hid().hid553_10H_SetLED8StageColor(0, bytes);
        });
        expectBusyFailure("cmd Failed 11", [&] {
            hid().hid553_11H_SetDPISet(1, bytes);
        });
        expectBusyFailure("cmd Failed 12", [&] {
            hid().hid553_12H_SetKeyMatrix(bytes, 1);
        });
        expectBusyFailure("cmd Failed 13", [&] {
            hid().hid553_13H_SetMacroKey(1, bytes);
        });
        a = 5;
        expectBusyFailure("cmd Failed 83", [&] {
            hid().hid553_83H_GetKeyboardoption(a, b, c, d);
        });
        QCOMPARE(a, 5);
    }
};

QTEST_GUILESS_MAIN(TestCommands553)
#include "test_commands553.moc"
