// The report listener: while a mouse is connected, a pool thread reads its
// event interface for DPI-button reports and notices when it is gone.
#include "hidthread.h"

#include "protocolclock.h"

#include <QDebug>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int kReadTimeoutMs = 500;
constexpr unsigned char kEventReportId = 0x06;
constexpr unsigned char kDpiSwitched = 0x07;
// Event reports are enabled by one bit of the keyboard options.
constexpr unsigned char kEventBit553 = 0x40; // fourth option byte
constexpr unsigned char kEventBit560 = 0x08; // first option byte

} // namespace

bool Hid_Thread::startReportListener(uint index)
{
    if (m_listening.exchange(false))
        waitForListener();

    // Only options actually read from the mouse are written back.
    bool enabled = false;
    if (is560Family()) {
        std::array<unsigned char, 2> options{};
        if (readKeyboardOptions560(options)) {
            options[0] |= kEventBit560;
            enabled = writeKeyboardOptions560(options);
        }
    } else {
        std::array<unsigned char, 4> options{};
        if (readKeyboardOptions553(options)) {
            options[3] |= kEventBit553;
            enabled = writeKeyboardOptions553(options);
        }
    }

    m_listening.store(true);
    const int row = static_cast<int>(index);
    // Without an event interface there is nothing to watch; the flag stays
    // set so device-change notices do not restart discovery.
    if (row < 0 || row >= m_table.size() || m_table.at(row).eventPath.isEmpty())
        return enabled;
    m_listener = QtConcurrent::run(&Hid_Thread::listenReports, this, m_table.at(row).eventPath);
    return enabled;
}

void Hid_Thread::waitForListener()
{
    m_listener.waitForFinished();
}

void Hid_Thread::listenReports(const QByteArray &eventPath)
{
    while (m_listening.load()) {
        HidHandle handle = m_backend->openPath(eventPath);
        if (!handle) {
            qDebug("Device removed");
            // The table belongs to the GUI thread; the path is forgotten there.
            QMetaObject::invokeMethod(
                this,
                [this, eventPath] {
                    forgetEventPath(eventPath);
                },
                Qt::QueuedConnection);
            emit eventInterfaceLost();
            m_listening.store(false);
            return;
        }
        m_backend->setNonblocking(handle, 0);
        unsigned char report[4] = {};
        const int length = m_backend->readTimeout(handle, report, sizeof report, kReadTimeoutMs);
        m_backend->close(handle);
        if (length == 4 && report[0] == kEventReportId && report[1] == kDpiSwitched)
            emit dpiStageSwitched(report[3]);
        else if (length < 0)
            // A mouse that keeps failing its reads must not make this loop spin.
            m_clock->sleep(kReadTimeoutMs);
    }
}

void Hid_Thread::forgetEventPath(const QByteArray &eventPath)
{
    for (DeviceEntry &row : m_table) {
        if (row.eventPath == eventPath)
            row.eventPath.clear();
    }
}
