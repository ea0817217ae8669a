#include "hidthread.h"

#include "commandreport.h"
#include "hidapibackend.h"
#include "protocoltable.h"
#include "scrambling.h"
#include "systemclock.h"

#include <QDateTime>
#include <QDebug>
#include <QRandomGenerator>

#include <algorithm>

namespace {

// Key of the report scrambling, shared by every device link of the process:
// the last handshake with a six-character code loads it.
std::array<unsigned char, 8> g_secrecyCode{};

} // namespace

Hid_Thread::Hid_Thread(QObject *parent)
    : QThread(parent)
    , m_backend(&HidapiBackend::instance())
    , m_clock(&SystemClock::instance())
{}

Hid_Thread::~Hid_Thread()
{
    m_listening.store(false);
    waitForListener();
    closeCommandInterface();
    closeEventInterface();
}

void Hid_Thread::setBackend(HidBackend *backend)
{
    closeCommandInterface();
    closeEventInterface();
    m_backend = backend ? backend : &HidapiBackend::instance();
}

void Hid_Thread::setClock(ProtocolClock *clock)
{
    m_clock = clock ? clock : &SystemClock::instance();
}

const DeviceEntry *Hid_Thread::currentEntry() const
{
    if (m_currentIndex < 0 || m_currentIndex >= m_table.size())
        return nullptr;
    return &m_table.at(m_currentIndex);
}

QList<DeviceEntry> Hid_Thread::locateInterfaces(QList<DeviceEntry> table)
{
    for (DeviceEntry &row : table) {
        row.commandPath.clear();
        row.eventPath.clear();
        const QList<HidDeviceInfo> interfaces = m_backend->enumerate(row.vid, row.pid);
        for (const HidDeviceInfo &info : interfaces) {
            if (info.usagePage == row.usagePage && info.usage == row.usage)
                row.commandPath = info.path;
            if (info.usagePage == row.usagePage2 && info.usage == row.usage2)
                row.eventPath = info.path;
        }
    }
    return table;
}

int Hid_Thread::discoverDevice(const QString &apConfigPath)
{
    m_table = locateInterfaces(DeviceEntry::readTable(apConfigPath));
    for (int row = 0; row < m_table.size(); ++row) {
        if (m_table.at(row).commandPath.isEmpty())
            continue;
        if (chkDeviceIsEnCode(row))
            return row;
    }
    return -1;
}

HidHandle Hid_Thread::openInterface(int index, bool event)
{
    if (index < 0 || index >= m_table.size())
        return nullptr;
    DeviceEntry &row = m_table[index];
    QByteArray &path = event ? row.eventPath : row.commandPath;
    if (path.isEmpty())
        return nullptr;
    HidHandle &handle = event ? m_eventHandle : m_commandHandle;
    if (handle) {
        m_backend->close(handle);
        handle = nullptr;
    }
    handle = m_backend->openPath(path);
    if (!handle) {
        path.clear();
        return nullptr;
    }
    m_backend->setNonblocking(handle, 0);
    return handle;
}

HidHandle Hid_Thread::openCommandInterface(int index)
{
    return openInterface(index, false);
}

HidHandle Hid_Thread::openEventInterface(int index)
{
    return openInterface(index, true);
}

void Hid_Thread::closeCommandInterface()
{
    if (m_commandHandle) {
        m_backend->close(m_commandHandle);
        m_commandHandle = nullptr;
    }
}

void Hid_Thread::closeEventInterface()
{
    if (m_eventHandle) {
        m_backend->close(m_eventHandle);
        m_eventHandle = nullptr;
    }
}

const unsigned char *Hid_Thread::secrecyCode()
{
    return g_secrecyCode.data();
}

std::array<unsigned char, 4> Hid_Thread::challengeFor(qint64 secondsSinceEpoch)
{
    QRandomGenerator generator(static_cast<quint32>(secondsSinceEpoch));
    std::array<unsigned char, 4> challenge{};
    for (unsigned char &c : challenge)
        c = static_cast<unsigned char>(generator.generate() & 0xFF);
    return challenge;
}

void Hid_Thread::USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode)
{
    Scrambling::scramble(FIFOBuf, SecrecyCode);
}

void Hid_Thread::USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode)
{
    Scrambling::unscramble(FIFOBuf, SecrecyCode);
}

bool Hid_Thread::chkDeviceIsEnCode(int index)
{
    m_currentIndex = index;
    const DeviceEntry *entry = currentEntry();
    if (!entry)
        return false;

    const std::array<unsigned char, 4> challenge = challengeFor(QDateTime::currentSecsSinceEpoch());
    if (entry->sCode.size() == 6) {
        for (int i = 0; i < 6; ++i)
            g_secrecyCode[static_cast<size_t>(i) + 1] =
                static_cast<unsigned char>(entry->sCode.at(i).toLatin1());
    }

    // A challenge that never reached the mouse proves nothing.
    std::array<unsigned char, 4> answer = challenge;
    // Both families answer the same handshake; the 553 row stands for it.
    const ProtocolTable::Command *handshake = ProtocolTable::find(ProtocolTable::Family::F553, 0x00);
    if (!readCommand(*handshake, {answer[0], answer[1], answer[2], answer[3], 0, 0}, Preset::Zero,
                     {&answer[0], &answer[1], &answer[2], &answer[3]}))
        return false;
    return answer == challenge;
}

void Hid_Thread::logCommandFailed(const char *code)
{
    qDebug().noquote() << QStringLiteral("cmd Failed ") + QLatin1String(code);
}
