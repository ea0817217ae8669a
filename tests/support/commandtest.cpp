#include "commandtest.h"

#include "scrambling.h"

#include <QTest>

CommandTest::CommandTest(ChipFamily family, int reportLength)
    : m_family(family)
    , m_reportLength(reportLength)
{}

void CommandTest::initTestCase_data()
{
    QTest::addColumn<bool>("encoded");
    QTest::newRow("clear") << false;
    QTest::newRow("scrambled") << true;
}

void CommandTest::init()
{
    QFETCH_GLOBAL(bool, encoded);
    m_encoded = encoded;
    m_link = std::make_unique<DeviceLinkFixture>();
    m_mouse = &m_link->connect(DeviceLinkFixture::identity(m_family, m_reportLength, encoded));
}

void CommandTest::cleanup()
{
    const QStringList violations = m_link->backend.violations();
    QVERIFY2(violations.isEmpty(), qPrintable(violations.join(QLatin1String("; "))));
    QVERIFY(m_link->hid.isLinkFree());
    QCOMPARE(m_link->backend.openHandleCount(), 0);
    m_link.reset();
}

void CommandTest::expectRequests(const QList<QByteArray> &reports)
{
    QList<QByteArray> onWire;
    for (QByteArray report : reports) {
        if (m_encoded)
            Scrambling::scramble(reinterpret_cast<unsigned char *>(report.data()) + 1,
                                 Hid_Thread::secrecyCode());
        onWire.append(report);
    }
    QCOMPARE(m_link->sent(HidCall::SendFeature), onWire);

    QList<QByteArray> understood;
    for (const EmulatedMouse::Command &command : m_mouse->commands())
        understood.append(QByteArray(1, '\0') + command.block);
    QCOMPARE(understood, reports);
}

QList<int> CommandTest::settled(int bulkReports)
{
    QList<int> pauses{64, 64};
    if (bulkReports > 0) {
        for (int i = 0; i < bulkReports; ++i)
            pauses.append(120);
        pauses << 64 << 64;
    }
    return pauses;
}

void CommandTest::expectBusyFailure(const char *line, const std::function<void()> &command)
{
    QVERIFY(m_link->hid.waitLinkFree());
    m_link->forgetHistory();
    QTest::ignoreMessage(QtDebugMsg, line);
    command();
    QVERIFY(m_link->backend.calls().isEmpty());
    QCOMPARE(m_link->pausedMs(), Hid_Thread::kLinkPolls * Hid_Thread::kLinkPollMs);
    m_link->hid.freeLink();
}
