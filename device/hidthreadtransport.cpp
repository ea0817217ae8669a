// The report transport of Hid_Thread: one command report, then an optional
// train of bulk output reports or an answer and a train of input reports, with
// the pauses the mouse needs to digest them.
#include "hidthread.h"

#include "commandreport.h"
#include "protocolclock.h"
#include "scrambling.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The bulk buffer holds one profile image; a transfer never moves more.
int clampedBulkLength(int dataLength)
{
    return std::clamp(dataLength, 0, static_cast<int>(CommandReport::kBulkSize));
}

} // namespace

void Hid_Thread::prepareRequest(unsigned char code, const std::array<unsigned char, 6> &params)
{
    m_request[0] = 0x00;
    m_request[1] = code;
    std::copy(params.begin(), params.end(), m_request.begin() + 2);
    m_request[8] = CommandReport::checksum(m_request.data() + 1);
    if (m_requestObserver)
        m_requestObserver(m_request.data());
}

uchar Hid_Thread::hidCS(uchar *cmd)
{
    return CommandReport::checksum(cmd);
}

bool Hid_Thread::waitLinkFree()
{
    for (int poll = 0; poll < kLinkPolls; ++poll) {
        if (m_linkFree) {
            m_linkFree = false;
            return true;
        }
        m_clock->sleep(kLinkPollMs);
        processPendingEvents();
    }
    ++m_failedCommands;
    return false;
}

void Hid_Thread::settlePause()
{
    m_clock->sleep(kSettleHalfMs);
    m_clock->sleep(kSettleHalfMs);
}

void Hid_Thread::processPendingEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool Hid_Thread::finishTransfer(bool result)
{
    if (!result)
        ++m_failedCommands;
    closeCommandInterface();
    m_linkFree = true;
    return result;
}

std::optional<Hid_Thread::Link> Hid_Thread::sendRequest()
{
    const DeviceEntry *entry = currentEntry();
    if (!entry || !openCommandInterface(m_currentIndex))
        return std::nullopt;
    // Read the row's settings now: a failed open below empties its path.
    const Link link{entry->isEncode, entry->reportLength};
    if (link.encode)
        Scrambling::scramble(m_request.data() + CommandReport::kBlockOffset, secrecyCode());
    HidHandle handle = openCommandInterface(m_currentIndex);
    if (!handle || m_backend->sendFeatureReport(handle, m_request.data(), m_request.size()) < 0)
        return std::nullopt;
    return link;
}

bool Hid_Thread::hidSend(int dataLength, bool settle)
{
    processPendingEvents();
    const std::optional<Link> link = sendRequest();
    if (!link)
        return finishTransfer(false);
    const int reportLength = link->reportLength;
    if (settle)
        settlePause();

    const int length = clampedBulkLength(dataLength);
    if (length == 0)
        return finishTransfer(true);

    const int chunk = std::min(length, reportLength);
    std::vector<unsigned char> report(static_cast<size_t>(reportLength) + 1, 0);
    for (int offset = 0; offset < length; offset += chunk) {
        report[0] = 0x00;
        // The last piece carries the bulk bytes that follow the data, as the
        // mouse expects; past the end of the buffer there is nothing to carry.
        const int available = std::min(chunk, static_cast<int>(m_bulk.size()) - offset);
        std::copy_n(m_bulk.begin() + offset, available, report.begin() + 1);
        std::fill(report.begin() + 1 + available, report.begin() + 1 + chunk, 0);
        HidHandle handle = openCommandInterface(m_currentIndex);
        if (!handle || m_backend->write(handle, report.data(), report.size()) < 0)
            return finishTransfer(false);
        m_clock->sleep(kOutputReportPauseMs);
    }
    if (settle)
        settlePause();
    return finishTransfer(true);
}

bool Hid_Thread::hidSendRecv(int dataLength)
{
    const std::optional<Link> link = sendRequest();
    if (!link)
        return finishTransfer(false);
    const int reportLength = link->reportLength;
    HidHandle handle = openCommandInterface(m_currentIndex);
    m_answer[0] = 0x00;
    if (!handle || m_backend->getFeatureReport(handle, m_answer.data(), m_answer.size()) < 0)
        return finishTransfer(false);

    const int length = clampedBulkLength(dataLength);
    if (length == 0) {
        finishTransfer(true);
        if (link->encode)
            Scrambling::unscramble(m_answer.data() + CommandReport::kBlockOffset, secrecyCode());
        return true;
    }

    const int chunk = std::min(length, reportLength);
    std::vector<unsigned char> report(static_cast<size_t>(reportLength) + 1);
    for (int offset = 0; offset < length; offset += chunk) {
        std::fill(report.begin(), report.end(), 0);
        handle = openCommandInterface(m_currentIndex);
        // A read that times out ends like a failed one.
        if (!handle || m_backend->readTimeout(handle, report.data(), report.size(), kBulkReadTimeoutMs) <= 0)
            return finishTransfer(false);
        const int wanted = std::min(chunk, static_cast<int>(m_bulk.size()) - offset);
        std::copy_n(report.begin(), wanted, m_bulk.begin() + offset);
    }
    return finishTransfer(true);
}
