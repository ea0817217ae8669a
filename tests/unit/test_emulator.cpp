#include "commandreport.h"
#include "emulatorbackend.h"
#include "scrambling.h"
#include "virtualclock.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

using Params = std::initializer_list<int>;

QByteArray frame(int code, Params params)
{
    QByteArray report(9, '\0');
    report[1] = static_cast<char>(code);
    int i = 2;
    for (int p : params)
        report[i++] = static_cast<char>(p);
    report[8] =
        static_cast<char>(CommandReport::checksum(reinterpret_cast<const uchar *>(report.constData()) + 1));
    return report;
}

std::array<uchar, 8> keyOf(const QString &sCode)
{
    std::array<uchar, 8> key{};
    for (int i = 0; i < 6; ++i)
        key[static_cast<std::size_t>(i) + 1] = static_cast<uchar>(sCode.at(i).toLatin1());
    return key;
}

QByteArray pattern(int size, int start = 0)
{
    QByteArray b;
    for (int i = 0; i < size; ++i)
        b.append(static_cast<char>(start + i));
    return b;
}

// One emulated mouse with its command interface open, driven by hand.
struct Rig
{
    VirtualClock clock;
    EmulatorBackend backend{clock};
    EmulatedMouse *mouse = nullptr;
    HidHandle command = nullptr;

    explicit Rig(ChipFamily family, int reportLength = 32, bool isEncode = false)
    {
        EmulatedMouse::Identity id;
        id.family = family;
        id.reportLength = reportLength;
        id.isEncode = isEncode;
        mouse = &backend.addMouse(id);
        command = backend.openPath("emu:0:command");
    }

    int send(QByteArray report, const QString &scrambleWith = QString())
    {
        if (!scrambleWith.isEmpty()) {
            const auto key = keyOf(scrambleWith);
            Scrambling::scramble(reinterpret_cast<uchar *>(report.data()) + 1, key.data());
        }
        return backend.sendFeatureReport(command, reinterpret_cast<const uchar *>(report.constData()),
                                         static_cast<size_t>(report.size()));
    }

    QByteArray answer()
    {
        QByteArray a(9, '\0');
        const int n = backend.getFeatureReport(command, reinterpret_cast<uchar *>(a.data()), 9);
        return n == 9 ? a : QByteArray();
    }

    int writeReport(const QByteArray &report)
    {
        return backend.write(command, reinterpret_cast<const uchar *>(report.constData()),
                             static_cast<size_t>(report.size()));
    }

    // Sends `data` as the host must: full reports, report id 0, paced by `gap`.
    void bulk(const QByteArray &data, int gap = 120)
    {
        const int reportLength = mouse->identity().reportLength;
        const int chunk = std::min(static_cast<int>(data.size()), reportLength);
        for (int offset = 0; offset < data.size(); offset += chunk) {
            QByteArray report(reportLength + 1, '\0');
            const QByteArray piece = data.mid(offset, chunk);
            report.replace(1, piece.size(), piece);
            QCOMPARE(writeReport(report), reportLength + 1);
            clock.sleep(gap);
        }
    }
};

} // namespace

class TestEmulator : public QObject
{
    Q_OBJECT

private slots:
    void acceptedTrafficLeavesNoViolation()
    {
        Rig rig(ChipFamily::F553);
        QCOMPARE(rig.send(frame(0x13, {3, 0x80})), 9);
        rig.bulk(pattern(128));
        QCOMPARE(rig.mouse->macro(3), pattern(128));
        QCOMPARE(rig.mouse->commands().at(0).bulk, pattern(128));
        QVERIFY(rig.backend.violations().isEmpty());
    }

    void badChecksumIsIgnoredAndReported()
    {
        Rig rig(ChipFamily::F553);
        QByteArray report = frame(0x01, {4});
        report[8] = static_cast<char>(report[8] + 1);
        QCOMPARE(rig.send(report), 9);
        QCOMPARE(rig.mouse->reportRate(), 0);
        QVERIFY(rig.mouse->commands().isEmpty());
        QCOMPARE(rig.backend.violations(), QStringList{"bad checksum in command 01H"});
    }

    void framesOfTheWrongShapeAreRefused()
    {
        Rig rig(ChipFamily::F553);
        QCOMPARE(rig.send(frame(0x01, {4}).left(8)), -1);
        QByteArray withId = frame(0x01, {4});
        withId[0] = 1;
        QCOMPARE(rig.send(withId), -1);
        QCOMPARE(rig.send(frame(0x55, {})), 9);
        QCOMPARE(rig.backend.violations(),
                 QStringList({"feature report of 8 bytes, expected 9", "feature report with report id 01",
                              "unknown command 55H for the 553 family"}));
    }

    void shortOutputReportDeliversNothing()
    {
        Rig rig(ChipFamily::F553);
        rig.send(frame(0x11, {4, 0x08}));
        QCOMPARE(rig.writeReport(QByteArray(32, '\0')), -1);
        // The train it belonged to is still open when the log is checked.
        QCOMPARE(rig.backend.violations(), QStringList({"output report of 32 bytes, expected 33",
                                                        "command 11H: 0 of 8 bulk bytes delivered"}));
        QCOMPARE(rig.mouse->dpiStageCount(), 0);
    }

    void outputReportWithoutACommand()
    {
        Rig rig(ChipFamily::F560);
        QCOMPARE(rig.writeReport(QByteArray(33, '\0')), 33);
        QCOMPARE(rig.backend.violations(), QStringList{"output report without announced bulk data"});
    }

    void bulkCutShortByTheNextCommand()
    {
        Rig rig(ChipFamily::F553);
        rig.send(frame(0x13, {2, 0x80}));
        rig.bulk(pattern(64, 1));
        rig.send(frame(0x01, {4}));
        QCOMPARE(rig.mouse->macro(2), QByteArray(128, '\0'));
        QCOMPARE(rig.mouse->reportRate(), 4);
        QCOMPARE(rig.backend.violations(), QStringList{"command 13H: 64 of 128 bulk bytes delivered"});
    }

    void outputReportsNeed120Ms()
    {
        Rig rig(ChipFamily::F560);
        rig.send(frame(0x0C, {1, 0x80}));
        rig.bulk(pattern(128), 100);
        // Too fast is reported, but the firmware still has the data.
        QCOMPARE(rig.mouse->profileImage(1), pattern(128));
        QCOMPARE(rig.backend.violations(),
                 QStringList(3, QStringLiteral("output reports 100 ms apart, expected at least 120 ms")));
    }

    void wrongSecrecyCodeFailsTheEchoQuietly()
    {
        Rig rig(ChipFamily::F553, 32, true);
        const QString hostCode = rig.mouse->identity().sCode;
        const QByteArray challenge = frame(0x00, {0x11, 0x22, 0x33, 0x44});
        auto echo = [&] {
            rig.send(challenge, hostCode);
            QByteArray a = rig.answer();
            const auto key = keyOf(hostCode);
            Scrambling::unscramble(reinterpret_cast<uchar *>(a.data()) + 1, key.data());
            return a.mid(2, 4);
        };
        QCOMPARE(echo(), challenge.mid(2, 4));

        rig.mouse->setSecrecyCode(QStringLiteral("111111"));
        QVERIFY(echo() != challenge.mid(2, 4));
        QVERIFY(rig.backend.violations().isEmpty());

        rig.mouse->setSecrecyCode(hostCode);
        QCOMPARE(echo(), challenge.mid(2, 4));
    }

    void unplugAndPlugIn()
    {
        Rig rig(ChipFamily::F560);
        QCOMPARE(rig.backend.enumerate(0, 0).size(), 2);
        rig.backend.unplug();
        QVERIFY(rig.backend.enumerate(0x04d9, 0xa1ee).isEmpty());
        QVERIFY(!rig.backend.openPath("emu:0:command"));
        QCOMPARE(rig.send(frame(0x02, {1})), -1);

        rig.backend.plugIn();
        QCOMPARE(rig.backend.enumerate(0x04d9, 0xa1ee).size(), 2);
        // A handle from before the unplug stays dead; a fresh one works.
        QCOMPARE(rig.send(frame(0x02, {1})), -1);
        rig.backend.close(rig.command);
        rig.command = rig.backend.openPath("emu:0:command");
        QCOMPARE(rig.send(frame(0x02, {1})), 9);
        QCOMPARE(rig.mouse->currentProfile(), 1);
        QVERIFY(rig.backend.violations().isEmpty());
    }

    void unplugAtTheNthCall()
    {
        Rig rig(ChipFamily::F553);
        rig.backend.unplugAtCall(2);
        QCOMPARE(rig.send(frame(0x01, {2})), 9);
        QCOMPARE(rig.send(frame(0x01, {4})), -1);
        QVERIFY(!rig.backend.isPluggedIn());
        QCOMPARE(rig.mouse->reportRate(), 2);
    }

    void failCallHitsOnlyTheNthOfItsKind()
    {
        Rig rig(ChipFamily::F553);
        rig.backend.failCall(HidCall::SendFeature, 2);
        QCOMPARE(rig.send(frame(0x01, {1})), 9);
        QCOMPARE(rig.send(frame(0x01, {2})), -1);
        QCOMPARE(rig.send(frame(0x01, {4})), 9);
        // The failed report never reached the mouse.
        QCOMPARE(rig.mouse->commands().size(), 2);

        rig.backend.failCall(HidCall::Open);
        QVERIFY(!rig.backend.openPath("emu:0:command"));
        QVERIFY(rig.backend.openPath("emu:0:command"));
        QCOMPARE(rig.backend.calls(HidCall::Open).at(1).result, -1);
    }

    void outOfRangeIndicesAreRefused_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("560 profile image 7")
            << int(ChipFamily::F560) << 0x0C << 7 << "profile 7 out of range";
        QTest::newRow("560 key matrix 0")
            << int(ChipFamily::F560) << 0x0D << 0 << "key matrix 0 out of range";
        QTest::newRow("560 macro slot 13")
            << int(ChipFamily::F560) << 0x0F << 13 << "macro slot 13 out of range";
        QTest::newRow("553 key matrix 5")
            << int(ChipFamily::F553) << 0x12 << 5 << "key matrix 5 out of range";
        QTest::newRow("553 macro slot 0")
            << int(ChipFamily::F553) << 0x13 << 0 << "macro slot 0 out of range";
        QTest::newRow("553 macro slot 255")
            << int(ChipFamily::F553) << 0x13 << 255 << "macro slot 255 out of range";
    }

    void outOfRangeIndicesAreRefused()
    {
        QFETCH(int, family);
        QFETCH(int, code);
        QFETCH(int, index);
        QFETCH(QString, complaint);
        Rig rig(static_cast<ChipFamily>(family));
        const int length = code == 0x12 ? 64 : 128;
        rig.send(frame(code, {index, length, code == 0x12 ? 8 : 0}));
        // The announced data is swallowed, so only the index is complained about.
        rig.bulk(QByteArray(length, '\x5A'));
        QCOMPARE(rig.backend.violations(), QStringList{complaint});
        for (int n = 0; n <= 13; ++n) {
            QVERIFY(!rig.mouse->macro(n).contains('\x5A'));
            QVERIFY(!rig.mouse->keyMatrix(n).contains('\x5A'));
            QVERIFY(!rig.mouse->profileImage(n).contains('\x5A'));
        }
    }

    void profileReadOfAMissingProfileSendsNothing()
    {
        Rig rig(ChipFamily::F560);
        rig.send(frame(0x8C, {7}));
        QVERIFY(!rig.mouse->hasPendingInput());
        QCOMPARE(rig.backend.violations(), QStringList{"profile 7 out of range"});
    }

    void matrixWithDataInItsSecondHalf()
    {
        Rig rig(ChipFamily::F560);
        rig.send(frame(0x0D, {2, 0x80}));
        rig.bulk(pattern(128, 1));
        QCOMPARE(rig.mouse->keyMatrix(2), pattern(64, 1));
        QCOMPARE(rig.backend.violations(), QStringList{"key matrix 2: last 64 bytes not zero"});
    }

    void profileImageComesInPieces_data()
    {
        QTest::addColumn<int>("reportLength");
        QTest::addColumn<int>("reads");
        QTest::newRow("32-byte reports") << 32 << 4;
        QTest::newRow("64-byte reports") << 64 << 2;
    }

    void profileImageComesInPieces()
    {
        QFETCH(int, reportLength);
        QFETCH(int, reads);
        Rig rig(ChipFamily::F560, reportLength);
        rig.mouse->setProfileImage(3, pattern(128, 7));
        rig.send(frame(0x8C, {3}));
        QCOMPARE(static_cast<uchar>(rig.answer().at(1)), 0x8C);

        QByteArray received;
        QByteArray report(reportLength + 1, '\0');
        for (int i = 0; i < reads; ++i) {
            const int n = rig.backend.readTimeout(rig.command, reinterpret_cast<uchar *>(report.data()),
                                                  static_cast<size_t>(report.size()), 1000);
            // No report id in front: the payload starts at once.
            QCOMPARE(n, reportLength);
            received += report.left(n);
        }
        QCOMPARE(received, pattern(128, 7));
        QVERIFY(!rig.mouse->hasPendingInput());
        // Nothing more comes: a bounded read times out, a blocking one is a host fault.
        QCOMPARE(rig.backend.readTimeout(rig.command, reinterpret_cast<uchar *>(report.data()),
                                         static_cast<size_t>(report.size()), 1000),
                 0);
        QCOMPARE(rig.clock.elapsed(), qint64(1000));
        QCOMPARE(rig.backend.read(rig.command, reinterpret_cast<uchar *>(report.data()),
                                  static_cast<size_t>(report.size())),
                 -1);
        QCOMPARE(rig.backend.violations(),
                 QStringList{"blocking read on the command interface, no input report coming"});
    }

    void eventReportsOnlyOnceEnabled_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QByteArray>("enable");
        QTest::newRow("553") << int(ChipFamily::F553) << frame(0x03, {0, 0, 0, 0x40});
        QTest::newRow("560") << int(ChipFamily::F560) << frame(0x01, {0x08, 0});
    }

    void eventReportsOnlyOnceEnabled()
    {
        QFETCH(int, family);
        QFETCH(QByteArray, enable);
        Rig rig(static_cast<ChipFamily>(family));
        HidHandle events = rig.backend.openPath("emu:0:event");
        QVERIFY(events);
        uchar report[4] = {};

        rig.backend.pressDpiButton();
        QCOMPARE(rig.mouse->currentStage(), 2);
        QCOMPARE(rig.backend.readTimeout(events, report, 4, 500), 0);
        QCOMPARE(rig.clock.elapsed(), qint64(500));

        rig.send(enable);
        rig.backend.pressDpiButton();
        QCOMPARE(rig.backend.readTimeout(events, report, 4, 500), 4);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(report), 4), QByteArray("\x06\x07\x00\x03", 4));
        QCOMPARE(rig.clock.elapsed(), qint64(500));
        QVERIFY(rig.backend.violations().isEmpty());
    }

    void stageWrapsAfterTheDpiTable()
    {
        Rig rig(ChipFamily::F553);
        rig.send(frame(0x11, {3, 0x08}));
        rig.bulk(pattern(8));
        QList<int> stages;
        for (int i = 0; i < 4; ++i) {
            rig.backend.pressDpiButton();
            stages.append(rig.mouse->currentStage());
        }
        QCOMPARE(stages, QList<int>({2, 3, 1, 2}));
    }

    void realTimeWaitEndsWithTheButton()
    {
        Rig rig(ChipFamily::F560);
        rig.mouse->setKeyboardOptions560({0x08, 0});
        rig.backend.setRealTimeWaits(true);
        HidHandle events = rig.backend.openPath("emu:0:event");
        int result = -2;
        std::unique_ptr<QThread> listener(QThread::create([&] {
            uchar report[4] = {};
            result = rig.backend.readTimeout(events, report, 4, 10000);
        }));
        QElapsedTimer timer;
        timer.start();
        listener->start();
        QThread::msleep(50);
        rig.backend.pressDpiButton();
        QVERIFY(listener->wait(5000));
        QCOMPARE(result, 4);
        QVERIFY(timer.elapsed() < 5000);
        // Real waits leave the virtual clock alone.
        QCOMPARE(rig.clock.elapsed(), qint64(0));
    }
};

QTEST_GUILESS_MAIN(TestEmulator)
#include "test_emulator.moc"
