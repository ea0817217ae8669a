#include "devicelinkfixture.h"

#include "scrambling.h"

#include <QTest>
#include <QTimer>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

void fillBulkWithIndex(Hid_Thread &hid)
{
    for (int i = 0; i < 128; ++i)
        hid.bulkBuffer()[i] = static_cast<unsigned char>(i);
}

QList<int> settle()
{
    return {64, 64};
}

} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

private slots:
    void commandReportAloneWithSettle()
    {
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F553, 32));
        QVERIFY(f.hid.waitLinkFree());
        f.hid.prepareRequest(0x01, {0x02, 0, 0, 0, 0, 0});
        QVERIFY(f.hid.hidSend(0, true));

        QCOMPARE(f.sent(HidCall::SendFeature), {bytes({0x00, 0x01, 0x02, 0, 0, 0, 0, 0, 0xFC})});
        QVERIFY(f.sent(HidCall::Write).isEmpty());
        QCOMPARE(f.clock.pauses(), settle());
        QVERIFY(f.hid.isLinkFree());
        QCOMPARE(f.backend.openHandleCount(), 0);
        QCOMPARE(mouse.commands().size(), 1);
        QVERIFY(f.backend.violations().isEmpty());
    }

    void eightBytesInOneReportOf65()
    {
        DeviceLinkFixture f;
        f.connect(f.identity(ChipFamily::F553, 64));
        QVERIFY(f.hid.waitLinkFree());
        fillBulkWithIndex(f.hid);
        f.hid.prepareRequest(0x11, {0x03, 0x08, 0, 0, 0, 0});
        QVERIFY(f.hid.hidSend(8, true));

        const QList<QByteArray> reports = f.sent(HidCall::Write);
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports[0], bytes({0, 0, 1, 2, 3, 4, 5, 6, 7}) + QByteArray(56, '\0'));
        QCOMPARE(f.clock.pauses(), settle() + QList<int>({120}) + settle());
        QVERIFY(f.backend.violations().isEmpty());
    }

    void lastPieceCarriesTheBytesThatFollow()
    {
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F553, 32));
        QVERIFY(f.hid.waitLinkFree());
        fillBulkWithIndex(f.hid);
        f.hid.prepareRequest(0x10, {0x00, 36, 0, 0, 0, 0});
        QVERIFY(f.hid.hidSend(36, true));

        const QList<QByteArray> reports = f.sent(HidCall::Write);
        QCOMPARE(reports.size(), 2);
        QByteArray second(1, '\0');
        for (int i = 32; i < 64; ++i)
            second.append(static_cast<char>(i));
        QCOMPARE(reports[1], second);
        QCOMPARE(f.clock.pauses(), settle() + QList<int>({120, 120}) + settle());
        QCOMPARE(mouse.commands().at(0).bulk.size(), 36);
        QVERIFY(f.backend.violations().isEmpty());
    }

    void wholeImageOnEachReportLength_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<int>("reports");
        QTest::addColumn<int>("pausedMs");
        QTest::newRow("32-byte reports") << 32 << 4 << 736;
        QTest::newRow("64-byte reports") << 64 << 2 << 496;
    }

    void wholeImageOnEachReportLength()
    {
        QFETCH(int, reportLength);
        QFETCH(int, reports);
        QFETCH(int, pausedMs);
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F560, reportLength));
        QVERIFY(f.hid.waitLinkFree());
        fillBulkWithIndex(f.hid);
        f.hid.prepareRequest(0x0C, {0x02, 0x80, 0, 0, 0, 0});
        QVERIFY(f.hid.hidSend(128, true));

        QCOMPARE(f.sent(HidCall::Write).size(), reports);
        int paused = 0;
        for (int p : f.clock.pauses())
            paused += p;
        QCOMPARE(paused, pausedMs);
        QByteArray image;
        for (int i = 0; i < 128; ++i)
            image.append(static_cast<char>(i));
        QCOMPARE(mouse.profileImage(2), image);
        QVERIFY(f.backend.violations().isEmpty());
    }

    void imageReadBackOn64ByteReports()
    {
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F560, 64));
        QByteArray image;
        for (int i = 0; i < 128; ++i)
            image.append(static_cast<char>(255 - i));
        mouse.setProfileImage(1, image);

        QVERIFY(f.hid.waitLinkFree());
        f.hid.prepareRequest(0x8C, {0x01, 0, 0, 0, 0, 0});
        QVERIFY(f.hid.hidSendRecv(128));

        QCOMPARE(f.sent(HidCall::SendFeature), {bytes({0x00, 0x8C, 0x01, 0, 0, 0, 0, 0, 0x72})});
        QCOMPARE(f.backend.calls(HidCall::GetFeature).size(), 1);
        QCOMPARE(f.backend.calls(HidCall::ReadTimeout).size() + f.backend.calls(HidCall::Read).size(), 2);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(f.hid.bulkBuffer()), 128), image);
        QVERIFY(f.clock.pauses().isEmpty());
        QVERIFY(f.hid.isLinkFree());
        QVERIFY(f.backend.violations().isEmpty());
    }

    void scrambledCommandsAndAnswers()
    {
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F553, 32, true));
        mouse.setCurrentStage(5);

        QVERIFY(f.hid.waitLinkFree());
        fillBulkWithIndex(f.hid);
        f.hid.prepareRequest(0x11, {0x04, 0x08, 0, 0, 0, 0});
        QVERIFY(f.hid.hidSend(8, true));
        const QByteArray plain = bytes({0x11, 0x04, 0x08, 0, 0, 0, 0, 0xE2});
        QByteArray onWire = plain;
        Scrambling::scramble(reinterpret_cast<unsigned char *>(onWire.data()), Hid_Thread::secrecyCode());
        QCOMPARE(f.sent(HidCall::SendFeature).at(0), QByteArray(1, '\0') + onWire);
        QCOMPARE(mouse.commands().at(0).block, plain);
        // Bulk data travels in the clear.
        QCOMPARE(f.sent(HidCall::Write).at(0).mid(1, 8), bytes({0, 1, 2, 3, 4, 5, 6, 7}));

        QVERIFY(f.hid.waitLinkFree());
        f.hid.prepareRequest(0x8B, {0, 0, 0, 0, 0, 0});
        f.hid.answerBuffer()[2] = 0xEE;
        QVERIFY(f.hid.hidSendRecv(0));
        QCOMPARE(f.hid.answerBuffer()[2], 5);
        QVERIFY(f.backend.violations().isEmpty());
    }

    void unpluggedMouseReturnsAtOnce()
    {
        DeviceLinkFixture f;
        f.connect(f.identity(ChipFamily::F553, 32));
        f.backend.unplug();

        QVERIFY(f.hid.waitLinkFree());
        f.hid.prepareRequest(0x01, {0x02, 0, 0, 0, 0, 0});
        QVERIFY(!f.hid.hidSend(64, true));
        QVERIFY(f.hid.isLinkFree());
        QVERIFY(f.clock.pauses().isEmpty());
        QVERIFY(f.sent(HidCall::SendFeature).isEmpty());
        // The row now counts as absent: the next command does not even try.
        QVERIFY(f.hid.deviceTable().at(0).commandPath.isEmpty());
        f.backend.clearCalls();
        QVERIFY(f.hid.waitLinkFree());
        QVERIFY(!f.hid.hidSendRecv(128));
        QVERIFY(f.backend.calls().isEmpty());
        QVERIFY(f.hid.isLinkFree());
    }

    void failuresMidTransferFreeTheLink_data()
    {
        QTest::addColumn<int>("failing");
        QTest::addColumn<int>("nth");
        QTest::addColumn<bool>("receive");
        QTest::newRow("feature send") << int(HidCall::SendFeature) << 1 << false;
        QTest::newRow("second output report") << int(HidCall::Write) << 2 << false;
        QTest::newRow("feature read") << int(HidCall::GetFeature) << 1 << true;
        QTest::newRow("second input report") << int(HidCall::ReadTimeout) << 2 << true;
        QTest::newRow("reopen") << int(HidCall::Open) << 3 << false;
    }

    void failuresMidTransferFreeTheLink()
    {
        QFETCH(int, failing);
        QFETCH(int, nth);
        QFETCH(bool, receive);
        DeviceLinkFixture f;
        f.connect(f.identity(ChipFamily::F560, 32));
        f.backend.failCall(static_cast<HidCall>(failing), nth);

        QVERIFY(f.hid.waitLinkFree());
        f.hid.prepareRequest(receive ? 0x8C : 0x0C,
                             {0x00, static_cast<unsigned char>(receive ? 0 : 0x80), 0, 0, 0, 0});
        const bool ok = receive ? f.hid.hidSendRecv(128) : f.hid.hidSend(128, true);
        QVERIFY(!ok);
        QVERIFY(f.hid.isLinkFree());
        QCOMPARE(f.backend.openHandleCount(), 0);
    }

    void inputReportsThatNeverComeEndTheRead()
    {
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F560, 64));
        mouse.setWithholdInputReports(true);
        const qint64 start = f.clock.elapsed();

        QVERIFY(f.hid.waitLinkFree());
        f.hid.prepareRequest(0x8C, {0x00, 0, 0, 0, 0, 0});
        QVERIFY(!f.hid.hidSendRecv(128));
        QVERIFY(f.hid.isLinkFree());
        QCOMPARE(f.clock.elapsed() - start, qint64(Hid_Thread::kBulkReadTimeoutMs));
        QCOMPARE(f.backend.openHandleCount(), 0);
    }

    void garbageAnswersAreSurvived()
    {
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F560, 32, true));
        mouse.setRandomAnswers(true, 7);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(f.hid.waitLinkFree());
            f.hid.prepareRequest(0x8C, {static_cast<unsigned char>(i % 5), 0, 0, 0, 0, 0});
            f.hid.hidSendRecv(128);
            QVERIFY(f.hid.isLinkFree());
        }
    }

    // A second command started from an event handler while the first is in
    // the transport waits out its 255 polls, gives up with its failure line
    // and sends nothing; the first then completes.
    void secondCommandFromAnEventHandlerGivesUp()
    {
        DeviceLinkFixture f;
        f.connect(f.identity(ChipFamily::F553, 32));
        qint64 waited = -1;
        int featuresBefore = -1;
        QTimer::singleShot(0, [&] {
            featuresBefore = f.backend.calls(HidCall::SendFeature).size();
            const qint64 start = f.clock.elapsed();
            uchar a = 1, b = 2, c = 3, d = 4;
            f.hid.hid553_00H_GetSecrecyCode(a, b, c, d);
            waited = f.clock.elapsed() - start;
            QCOMPARE(a, 1);
        });
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");

        QVERIFY(f.hid.waitLinkFree());
        fillBulkWithIndex(f.hid);
        f.hid.prepareRequest(0x12, {0x01, 0x40, 0x08, 0, 0, 0});
        QVERIFY(f.hid.hidSend(64, true));

        QCOMPARE(waited, qint64(255 * 8));
        QCOMPARE(featuresBefore, 0);
        QCOMPARE(f.backend.calls(HidCall::SendFeature).size(), 1);
        QCOMPARE(f.sent(HidCall::Write).size(), 2);
        QVERIFY(f.hid.isLinkFree());
        QVERIFY(f.backend.violations().isEmpty());
    }

    void oddReportLengthsStayInsideTheBuffers()
    {
        for (int reportLength : {1, 48, 100, 200, DeviceEntry::kMaxReportLength}) {
            DeviceLinkFixture f;
            EmulatedMouse &mouse = f.connect(f.identity(ChipFamily::F560, reportLength));
            QVERIFY(f.hid.waitLinkFree());
            fillBulkWithIndex(f.hid);
            f.hid.prepareRequest(0x0C, {0x01, 0x80, 0, 0, 0, 0});
            QVERIFY(f.hid.hidSend(128, false));
            const int chunk = std::min(128, reportLength);
            QCOMPARE(f.sent(HidCall::Write).size(), (128 + chunk - 1) / chunk);
            QCOMPARE(mouse.profileImage(1).left(128).at(127), char(127));

            QVERIFY(f.hid.waitLinkFree());
            f.hid.prepareRequest(0x8C, {0x01, 0, 0, 0, 0, 0});
            QVERIFY(f.hid.hidSendRecv(128));
            QCOMPARE(f.hid.bulkBuffer()[127], 127);
        }
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "test_transport.moc"
