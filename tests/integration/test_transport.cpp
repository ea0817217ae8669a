#include "devicelinkfixture.h"

#include "scrambling.h"

#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

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

// Every command of both families, by row name; what it reports, for those
// that report something.
const char *const kCommands[] = {"553 00H", "553 01H", "553 02H",      "553 03H", "553 04H", "553 0BH",
                                 "553 0CH", "553 0DH", "553 10H",      "553 11H", "553 12H", "553 13H",
                                 "553 83H", "553 8BH", "553 listener", "560 01H", "560 02H", "560 03H",
                                 "560 04H", "560 0CH", "560 0DH",      "560 0FH", "560 81H", "560 82H",
                                 "560 84H", "560 8CH", "560 listener"};

std::optional<bool> runCommand(Hid_Thread &h, const QByteArray &name)
{
    uchar bulk[128] = {};
    uchar out[2] = {};
    std::array<uchar, 4> options553{};
    std::array<uchar, 2> options560{};
    const QByteArray code = name.mid(4);
    if (code == "listener") {
        // Only the switching on: the reading itself waits on its own thread.
        QList<DeviceEntry> table = h.deviceTable();
        table[0].eventPath.clear();
        h.setDeviceTable(table);
        const bool enabled = h.startReportListener(0);
        h.setListening(false);
        return enabled;
    }
    if (name.startsWith("553")) {
        if (code == "00H")
            return h.chkDeviceIsEnCode(0);
        if (code == "01H")
            h.hid553_01H_SetReportRate(1);
        if (code == "02H")
            h.hid553_02H_SetCurrentKeyMatrix(1);
        if (code == "03H")
            return h.writeKeyboardOptions553({1, 2, 3, 4});
        if (code == "04H")
            h.hid553_04H_SetGunData(1, 2, 3, 4);
        if (code == "0BH")
            h.hid553_0BH_SetCurrentDPI(2);
        if (code == "0CH")
            h.hid553_0CH_SetFixLEDColor(bulk);
        if (code == "0DH")
            h.hid553_0DH_SetRGBLedEffect(1, 2, 3);
        if (code == "10H")
            h.hid553_10H_SetLED8StageColor(0, bulk);
        if (code == "11H")
            h.hid553_11H_SetDPISet(4, bulk);
        if (code == "12H")
            h.hid553_12H_SetKeyMatrix(bulk, 1);
        if (code == "13H")
            h.hid553_13H_SetMacroKey(1, bulk);
        if (code == "83H")
            return h.readKeyboardOptions553(options553);
        if (code == "8BH")
            h.hid553_8BH_GetCurrentDPI(out[0]);
        return std::nullopt;
    }
    if (code == "01H")
        return h.writeKeyboardOptions560({1, 2});
    if (code == "02H")
        h.hid560_02H_SetCurrentProfile(1);
    if (code == "03H")
        h.hid560_03H_SetReportRate(1);
    if (code == "04H")
        h.hid560_04H_SetCurrentDPI(2);
    if (code == "0CH")
        h.hid560_0CH_setProfile(bulk, 0);
    if (code == "0DH")
        h.hid560_0DH_SetKeyMatrix(bulk, 1);
    if (code == "0FH")
        h.hid560_0FH_SetMacroKey(1, bulk);
    if (code == "81H")
        return h.readKeyboardOptions560(options560);
    if (code == "82H")
        h.hid560_82H_GetCurrentProfile(out[0]);
    if (code == "84H")
        h.hid560_84H_GetCurrentDPI(out[0], out[1]);
    if (code == "8CH")
        return h.readProfileImage(bulk, 0);
    return std::nullopt;
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

    // A mouse whose firmware hangs: each command gives up after the one
    // transfer time-out per request it makes, reports the failure where it
    // reports anything, and leaves the link free and nothing open.
    void silentMouseEveryCommandGivesUp_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const char *name : kCommands)
            QTest::newRow(name) << QByteArray(name);
    }

    void silentMouseEveryCommandGivesUp()
    {
        QFETCH(QByteArray, name);
        const bool is560 = name.startsWith("560");
        DeviceLinkFixture f;
        EmulatedMouse &mouse = f.connect(f.identity(is560 ? ChipFamily::F560 : ChipFamily::F553, 32));
        f.hid.setChipFamily(QString::fromLatin1(name.left(3)));
        f.backend.stopAnswering();
        const qint64 start = f.clock.elapsed();

        const std::optional<bool> reported = runCommand(f.hid, name);

        if (reported)
            QVERIFY(!*reported);
        QVERIFY(mouse.commands().isEmpty());
        QVERIFY(f.hid.isLinkFree());
        QCOMPARE(f.backend.openHandleCount(), 0);
        // No request is tried twice: one time-out per request, plus pauses.
        const int requests = int(f.backend.calls(HidCall::SendFeature).size());
        QVERIFY(requests >= 1 && requests <= 4);
        QVERIFY(f.backend.calls(HidCall::Write).isEmpty());
        const qint64 bound = requests * (EmulatorBackend::kTransferTimeoutMs + 2 * 128 + 8);
        QVERIFY2(f.clock.elapsed() - start <= bound,
                 qPrintable(QStringLiteral("%1 ms").arg(f.clock.elapsed() - start)));

        // Power back: the mouse answers again.
        f.backend.unplug();
        f.backend.plugIn();
        QVERIFY(f.backend.isAnswering());
        f.hid.setDeviceTable(f.hid.locateInterfaces(f.hid.deviceTable()));
        QVERIFY(f.hid.chkDeviceIsEnCode(0));
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
