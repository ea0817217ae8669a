#include "devicelinkfixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray rowText(int n, const DeviceEntry &row)
{
    auto hex = [](int v) {
        return QByteArray::number(v, 16).rightJustified(4, '0');
    };
    QByteArray t = "[" + QByteArray::number(n) + "]\n";
    t += "type=1\nvid=" + hex(row.vid) + "\npid=" + hex(row.pid) + "\n";
    t += "usagePage=" + hex(row.usagePage) + "\nusage=" + hex(row.usage) + "\n";
    t += "usagePage2=" + hex(row.usagePage2) + "\nusage2=" + hex(row.usage2) + "\n";
    t += "reportLength=" + QByteArray::number(row.reportLength) + "\n";
    t += QByteArray("isEncode=") + (row.isEncode ? "true" : "false") + "\n";
    t += "sCode=" + row.sCode.toLatin1() + "\n";
    return t;
}

} // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeConfig(const QList<DeviceEntry> &rows, bool withCount = true)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("apConfig%1.bin").arg(++n));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        if (withCount)
            file.write("[common]\ndeviceCount=" + QByteArray::number(rows.size()) + "\n");
        for (int i = 0; i < rows.size(); ++i)
            file.write(rowText(i, rows[i]));
        return path;
    }

private slots:
    void noDeviceCountMeansNoEnumeration()
    {
        DeviceLinkFixture f;
        const auto id = f.identity(ChipFamily::F560, 32);
        f.backend.addMouse(id);
        QCOMPARE(f.hid.discoverDevice(writeConfig({f.rowFor(id)}, false)), -1);
        QVERIFY(f.backend.calls(HidCall::Enumerate).isEmpty());
        QCOMPARE(f.hid.discoverDevice(m_dir.filePath(QStringLiteral("missing.bin"))), -1);
        QVERIFY(f.hid.deviceTable().isEmpty());
    }

    void findsBothInterfacesAndPassesTheHandshake()
    {
        DeviceLinkFixture f;
        HidDeviceInfo keyboard;
        keyboard.path = "foreign:keyboard";
        keyboard.vendorId = 0x046d;
        keyboard.productId = 0xc31c;
        keyboard.usagePage = 0x0001;
        keyboard.usage = 0x0006;
        f.backend.addForeignDevice(keyboard);
        const auto id = f.identity(ChipFamily::F553, 32, true);
        f.backend.addMouse(id);

        QCOMPARE(f.hid.discoverDevice(writeConfig({f.rowFor(id)})), 0);
        QCOMPARE(f.hid.currentDeviceIndex(), 0);
        QCOMPARE(f.hid.deviceTable().at(0).commandPath, QByteArray("emu:0:command"));
        QCOMPARE(f.hid.deviceTable().at(0).eventPath, QByteArray("emu:0:event"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(Hid_Thread::secrecyCode()) + 1, 6),
                 QByteArray("483915"));
        QVERIFY(f.hid.isLinkFree());
        QVERIFY(f.backend.violations().isEmpty());
    }

    void firstRowThatAnswersWins()
    {
        DeviceLinkFixture f;
        auto first = f.identity(ChipFamily::F553, 32, true);
        auto second = f.identity(ChipFamily::F560, 64, true);
        second.pid = 0xa1ef;
        f.backend.addMouse(first);
        f.backend.addMouse(second);
        const QString config = writeConfig({f.rowFor(first), f.rowFor(second)});
        QCOMPARE(f.hid.discoverDevice(config), 0);

        // The first mouse no longer knows the code: the second row is used.
        f.backend.mouse(0).setSecrecyCode(QStringLiteral("000000"));
        QCOMPARE(f.hid.discoverDevice(config), 1);
        QCOMPARE(f.hid.currentDeviceIndex(), 1);
        QVERIFY(f.backend.violations().isEmpty());
    }

    void zeroIdsMatchByUsageAlone()
    {
        DeviceLinkFixture f;
        const auto id = f.identity(ChipFamily::F560, 32);
        f.backend.addMouse(id);
        DeviceEntry row = f.rowFor(id);
        row.vid = 0;
        row.pid = 0;
        QCOMPARE(f.hid.discoverDevice(writeConfig({row})), 0);
        const QList<EmulatorCall> enumerations = f.backend.calls(HidCall::Enumerate);
        QCOMPARE(enumerations.size(), 1);
        QCOMPARE(f.hid.deviceTable().at(0).commandPath, QByteArray("emu:0:command"));
    }

    void mouseWithoutEventInterfaceConnects()
    {
        DeviceLinkFixture f;
        auto id = f.identity(ChipFamily::F560, 32);
        id.hasEventInterface = false;
        f.backend.addMouse(id);
        QCOMPARE(f.hid.discoverDevice(writeConfig({f.rowFor(id)})), 0);
        QVERIFY(f.hid.deviceTable().at(0).eventPath.isEmpty());
    }

    void wrongSecrecyCodeIsRefused()
    {
        DeviceLinkFixture f;
        const auto id = f.identity(ChipFamily::F560, 32, true);
        f.backend.addMouse(id).setSecrecyCode(QStringLiteral("271828"));
        QCOMPARE(f.hid.discoverDevice(writeConfig({f.rowFor(id)})), -1);
        QVERIFY(f.hid.isLinkFree());
        QVERIFY(f.backend.violations().isEmpty());
    }

    void absentOrUnopenableMouseIsSkipped()
    {
        DeviceLinkFixture f;
        const auto id = f.identity(ChipFamily::F553, 32);
        const QString config = writeConfig({f.rowFor(id)});
        QCOMPARE(f.hid.discoverDevice(config), -1);

        f.backend.addMouse(id);
        f.backend.failCall(HidCall::Open, 1);
        QCOMPARE(f.hid.discoverDevice(config), -1);
        QVERIFY(f.hid.deviceTable().at(0).commandPath.isEmpty());
        QCOMPARE(f.hid.discoverDevice(config), 0);
    }

    void handshakeThatCannotTakeTheLinkFails()
    {
        DeviceLinkFixture f;
        const auto id = f.identity(ChipFamily::F553, 32);
        f.backend.addMouse(id);
        f.hid.setDeviceTable(f.hid.locateInterfaces({f.rowFor(id)}));
        QVERIFY(f.hid.waitLinkFree());
        QTest::ignoreMessage(QtDebugMsg, "cmd Failed 00");
        QVERIFY(!f.hid.chkDeviceIsEnCode(0));
        QVERIFY(f.backend.calls(HidCall::SendFeature).isEmpty());
    }

    void shortSecrecyCodeKeepsThePreviousKey()
    {
        DeviceLinkFixture f;
        auto id = f.identity(ChipFamily::F553, 32, true);
        id.sCode = QStringLiteral("112233");
        f.backend.addMouse(id);
        f.hid.setDeviceTable(f.hid.locateInterfaces({f.rowFor(id)}));
        QVERIFY(f.hid.chkDeviceIsEnCode(0));

        for (const QString &code : {QStringLiteral("12345"), QStringLiteral("1234567")}) {
            DeviceEntry row = f.hid.deviceTable().at(0);
            row.sCode = code;
            f.hid.setDeviceTable({row});
            // The mouse still knows 112233, which stays in force.
            QVERIFY(f.hid.chkDeviceIsEnCode(0));
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(Hid_Thread::secrecyCode()) + 1, 6),
                     QByteArray("112233"));
        }
    }

    void sameSecondSameChallenge()
    {
        QCOMPARE(Hid_Thread::challengeFor(1796000000), Hid_Thread::challengeFor(1796000000));
        QVERIFY(Hid_Thread::challengeFor(1796000000) != Hid_Thread::challengeFor(1796000001));
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
