// The report listener on its own: what crosses from its pool thread to the
// GUI thread. Also built under ThreadSanitizer by the test script.
#include "devicelinkfixture.h"

#include <QTest>

class TestListener : public QObject
{
    Q_OBJECT

private slots:
    void reportsSwitchesAndRemovalAcrossThreads()
    {
        DeviceLinkFixture f;
        f.backend.setRealTimeWaits(true);
        f.connect(DeviceLinkFixture::identity(ChipFamily::F553, 32));
        // Received on this thread, as the window receives them.
        QList<int> switched;
        int lost = 0;
        QObject receiver;
        connect(
            &f.hid, &Hid_Thread::dpiStageSwitched, &receiver,
            [&](int stage) {
                switched.append(stage);
            },
            Qt::QueuedConnection);
        connect(
            &f.hid, &Hid_Thread::eventInterfaceLost, &receiver,
            [&] {
                ++lost;
            },
            Qt::QueuedConnection);

        f.hid.startReportListener(0);
        QVERIFY(f.hid.isListening());
        f.backend.pressDpiButton();
        f.backend.sendEventReport(QByteArray("\x06\x07\x00\x08", 4));
        QTRY_COMPARE(switched, QList<int>({2, 8}));

        QTest::ignoreMessage(QtDebugMsg, "Device removed");
        f.backend.unplug();
        QTRY_COMPARE(lost, 1);
        QTRY_VERIFY(!f.hid.isListening());
        QTRY_VERIFY(f.hid.deviceTable().at(0).eventPath.isEmpty());
        f.hid.waitForListener();
    }

    void stopsWithinOneReadWhenTheFlagIsCleared()
    {
        DeviceLinkFixture f;
        f.backend.setRealTimeWaits(true);
        f.connect(DeviceLinkFixture::identity(ChipFamily::F560, 64));
        f.hid.setChipFamily(QStringLiteral("560"));
        f.hid.startReportListener(0);
        // Commands keep working on the GUI thread while the listener reads.
        uchar profile = 9;
        f.hid.hid560_82H_GetCurrentProfile(profile);
        QCOMPARE(profile, 0);
        f.hid.setListening(false);
        f.hid.waitForListener();
        QCOMPARE(f.backend.violations(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestListener)
#include "test_listener.moc"
