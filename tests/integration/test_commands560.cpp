#include "commandtest.h"

#include <QTest>

// The 560 family on a mouse with 64-byte reports.
class TestCommands560 : public CommandTest
{
    Q_OBJECT

public:
    TestCommands560()
        : CommandTest(ChipFamily::F560, 64)
    {}

private slots:
    void keyboardOptions()
    {
        hid().hid560_01H_SetKeyboardoption(0x08, 0x01);
        expectRequests({commandReport({0x01, 0x08, 0x01})});
        QCOMPARE(link().clock.pauses(), QList<int>{8});
        QCOMPARE(mouse().keyboardOptions560(), (std::array<uchar, 2>{0x08, 0x01}));

        uchar a = 0, b = 0;
        hid().hid560_81H_GetKeyboardoption(a, b);
        QCOMPARE((std::array<uchar, 2>{a, b}), (std::array<uchar, 2>{0x08, 0x01}));

        link().backend.failCall(HidCall::SendFeature);
        a = 3, b = 4;
        hid().hid560_81H_GetKeyboardoption(a, b);
        QCOMPARE((std::array<uchar, 2>{a, b}), (std::array<uchar, 2>{3, 4}));
    }

    void currentProfile()
    {
        hid().hid560_02H_SetCurrentProfile(3);
        expectRequests({commandReport({0x02, 0x03})});
        QCOMPARE(link().clock.pauses(), QList<int>{8});
        QCOMPARE(mouse().currentProfile(), 3);

        uchar profile = 0;
        hid().hid560_82H_GetCurrentProfile(profile);
        QCOMPARE(profile, 3);
    }

    void reportRateSeries()
    {
        hid().hid560_03H_SetReportRate(2);
        QList<QByteArray> series;
        for (int n = 1; n <= 4; ++n)
            series.append(commandReport({0x03, n, 0x02}));
        QCOMPARE(uchar(series[0].at(8)), uchar(0xF9));
        QCOMPARE(uchar(series[3].at(8)), uchar(0xF6));
        expectRequests(series);
        QCOMPARE(link().clock.pauses(), settled() + settled() + settled() + settled());
        for (int n = 1; n <= 4; ++n)
            QCOMPARE(mouse().reportRateOfSeries(n), 2);
    }

    void reportRateOnGunModelSendsOnlyTheFirst()
    {
        hid().setGunModel(true);
        hid().hid560_03H_SetReportRate(2);
        expectRequests({commandReport({0x03, 0x01, 0x02})});
        QCOMPARE(link().clock.pauses(), settled());
    }

    void stageSeries()
    {
        hid().hid560_04H_SetCurrentDPI(3);
        QList<QByteArray> series;
        for (int n = 1; n <= 4; ++n)
            series.append(commandReport({0x04, n, 0x03}));
        expectRequests(series);
        QCOMPARE(mouse().stageOfSeries(4), 3);

        link().forgetHistory();
        hid().setGunModel(true);
        hid().hid560_04H_SetCurrentDPI(4);
        expectRequests({commandReport({0x04, 0x01, 0x04})});
        QCOMPARE(mouse().currentStage(), 4);

        uchar query = 1, stage = 0;
        link().forgetHistory();
        hid().hid560_84H_GetCurrentDPI(query, stage);
        expectRequests({commandReport({0x84, 0x01})});
        QCOMPARE(uchar(commandReport({0x84, 0x01}).at(8)), uchar(0x7A));
        QCOMPARE(stage, 4);
    }

    // A command started from an event handler during the series must not slip
    // in between its requests.
    void seriesHoldsTheLink()
    {
        bool started = false;
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 02");
        link().backend.failCall(HidCall::SendFeature, 2); // a failed send does not stop the series
        QMetaObject::invokeMethod(
            &hid(),
            [&] {
                started = true;
                hid().hid560_02H_SetCurrentProfile(1);
            },
            Qt::QueuedConnection);
        hid().hid560_03H_SetReportRate(3);
        QVERIFY(started);
        QCOMPARE(link().sent(HidCall::SendFeature).size(), 4);
        QCOMPARE(mouse().commands().size(), 3);
    }

    void writeProfileImage()
    {
        QByteArray image = countingBytes(128, 7);
        hid().hid560_0CH_setProfile(reinterpret_cast<uchar *>(image.data()), 1);
        expectRequests({commandReport({0x0C, 0x01, 0x80})});
        QCOMPARE(link().sent(HidCall::Write), (QList<QByteArray>{QByteArray(1, '\0') + image.left(64),
                                                                 QByteArray(1, '\0') + image.mid(64)}));
        QCOMPARE(link().clock.pauses(), settled(2));
        QCOMPARE(mouse().profileImage(1), image);
    }

    void keyMatrixCarriesSixtyFourZeros()
    {
        QByteArray matrix = countingBytes(64, 1);
        hid().hid560_0DH_SetKeyMatrix(reinterpret_cast<uchar *>(matrix.data()), 1);
        expectRequests({commandReport({0x0D, 0x01, 0x80})});
        QCOMPARE(link().sent(HidCall::Write),
                 (QList<QByteArray>{QByteArray(1, '\0') + matrix, QByteArray(65, '\0')}));
        QCOMPARE(link().clock.pauses(), settled(2));
        QCOMPARE(mouse().keyMatrix(1), matrix);
    }

    void macro()
    {
        QByteArray bytes = countingBytes(128, 3);
        hid().hid560_0FH_SetMacroKey(1, reinterpret_cast<uchar *>(bytes.data()));
        expectRequests({commandReport({0x0F, 0x01, 0x80})});
        QCOMPARE(link().sent(HidCall::Write).size(), 2);
        QCOMPARE(mouse().macro(1), bytes);
    }

    void readProfileImage()
    {
        const QByteArray stored = countingBytes(128, 0x55);
        mouse().setProfileImage(1, stored);
        QByteArray image(128, '\x01');
        hid().hid560_8CH_readProfile(reinterpret_cast<uchar *>(image.data()), 1);
        const QByteArray expected = commandReport({0x8C, 0x01});
        QCOMPARE(uchar(expected.at(8)), uchar(0x72));
        expectRequests({expected});
        QCOMPARE(image, stored);
        QVERIFY(link().clock.pauses().isEmpty());
    }

    void failedProfileReadKeepsWhatItHas()
    {
        mouse().setProfileImage(2, countingBytes(128, 0x20));
        QByteArray image(128, '\x01');
        link().backend.failCall(HidCall::ReadTimeout, 2);
        hid().hid560_8CH_readProfile(reinterpret_cast<uchar *>(image.data()), 2);
        QCOMPARE(image.left(64), countingBytes(64, 0x20));
        QCOMPARE(image.mid(64), QByteArray(64, '\x01'));

        QByteArray untouched(128, '\x02');
        expectBusyFailure("cmd Failed 8c", [&] {
            hid().hid560_8CH_readProfile(reinterpret_cast<uchar *>(untouched.data()), 1);
        });
        QCOMPARE(untouched, QByteArray(128, '\x02'));
        for (int i = 0; i < link().backend.mouseCount(); ++i)
            link().backend.mouse(i).clearViolations();
    }

    void profileAboveFourIsRefusedByTheMouse()
    {
        QByteArray image = countingBytes(128);
        hid().hid560_0CH_setProfile(reinterpret_cast<uchar *>(image.data()), 7);
        hid().hid560_8CH_readProfile(reinterpret_cast<uchar *>(image.data()), 200);
        expectRequests({commandReport({0x0C, 0x07, 0x80}), commandReport({0x8C, 200})});
        QCOMPARE(mouse().violations().size(), 2);
        mouse().clearViolations();
    }

    void busyLinkGivesTheFailureLine()
    {
        uchar bytes[128] = {};
        uchar a = 7, b = 8;
        expectBusyFailure("cmd Failed 01", [&] {
            hid().hid560_01H_SetKeyboardoption(1, 2);
        });
        expectBusyFailure("cmd Failed 02", [&] {
            hid().hid560_02H_SetCurrentProfile(1);
        });
        expectBusyFailure("cmd Failed 03", [&] {
            hid().hid560_03H_SetReportRate(1);
        });
        expectBusyFailure("cmd Failed 04", [&] {
            hid().hid560_04H_SetCurrentDPI(1);
        });
        expectBusyFailure("cmd Failed 0C", [&] {
            hid().hid560_0CH_setProfile(bytes, 1);
        });
        expectBusyFailure("cmd Failed 0D", [&] {
            hid().hid560_0DH_SetKeyMatrix(bytes, 1);
        });
        expectBusyFailure("cmd Failed 0F", [&] {
            hid().hid560_0FH_SetMacroKey(1, bytes);
        });
        expectBusyFailure("cmd Failed 81", [&] {
            hid().hid560_81H_GetKeyboardoption(a, b);
        });
        expectBusyFailure("cmd Failed 82", [&] {
            hid().hid560_82H_GetCurrentProfile(a);
        });
        expectBusyFailure("cmd Failed 84", [&] {
            hid().hid560_84H_GetCurrentDPI(a, b);
        });
        QCOMPARE((std::array<uchar, 2>{a, b}), (std::array<uchar, 2>{7, 8}));
    }

    void unpluggedReadsKeepTheirValues()
    {
        link().backend.unplug();
        uchar a = 1, b = 2, profile = 3;
        hid().hid560_84H_GetCurrentDPI(a, b);
        hid().hid560_82H_GetCurrentProfile(profile);
        QCOMPARE((std::array<uchar, 3>{a, b, profile}), (std::array<uchar, 3>{1, 2, 3}));
        QVERIFY(link().clock.pauses().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommands560)
#include "test_commands560.moc"
