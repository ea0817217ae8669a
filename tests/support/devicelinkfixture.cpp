#include "devicelinkfixture.h"

#include "commandreport.h"

#include <QTest>

DeviceLinkFixture::DeviceLinkFixture()
{
    hid.setBackend(&backend);
    hid.setClock(&clock);
}

EmulatedMouse::Identity DeviceLinkFixture::identity(ChipFamily family, int reportLength, bool isEncode)
{
    EmulatedMouse::Identity id;
    id.family = family;
    id.reportLength = reportLength;
    id.isEncode = isEncode;
    return id;
}

DeviceEntry DeviceLinkFixture::rowFor(const EmulatedMouse::Identity &identity)
{
    return identity.toEntry();
}

EmulatedMouse &DeviceLinkFixture::connect(const EmulatedMouse::Identity &identity)
{
    EmulatedMouse &mouse = backend.addMouse(identity);
    hid.setDeviceTable(hid.locateInterfaces({rowFor(identity)}));
    if (!hid.chkDeviceIsEnCode(0))
        qFatal("the emulated mouse failed the handshake");
    forgetHistory();
    return mouse;
}

void DeviceLinkFixture::forgetHistory()
{
    backend.clearCalls();
    clock.clearPauses();
    for (int i = 0; i < backend.mouseCount(); ++i)
        backend.mouse(i).clearCommands();
}

QList<QByteArray> DeviceLinkFixture::sent(HidCall kind) const
{
    QList<QByteArray> data;
    for (const EmulatorCall &call : backend.calls(kind))
        data.append(call.data);
    return data;
}

int DeviceLinkFixture::pausedMs() const
{
    int sum = 0;
    for (int pause : clock.pauses())
        sum += pause;
    return sum;
}

QByteArray commandReport(std::initializer_list<int> codeAndParams)
{
    QByteArray report(9, '\0');
    int i = 1;
    for (int value : codeAndParams)
        report[i++] = static_cast<char>(value);
    report[8] = static_cast<char>(
        CommandReport::checksum(reinterpret_cast<const unsigned char *>(report.data()) + 1));
    return report;
}

QByteArray countingBytes(int length, int first)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(static_cast<char>(first + i));
    return bytes;
}

QString DeviceLinkFixture::leftovers()
{
    QStringList problems = backend.violations();
    if (!hid.isLinkFree())
        problems << QStringLiteral("link still taken");
    if (backend.openHandleCount() != 0)
        problems << QStringLiteral("%1 handle(s) still open").arg(backend.openHandleCount());
    return problems.join(QLatin1String("; "));
}
