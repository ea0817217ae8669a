// The command sets of both chip families. Every command is one request of
// code and parameters, optionally with bulk data or an answer; the shared
// builders below do the work and each slot only says what travels where.
#include "hidthread.h"

#include "commandreport.h"
#include "protocolclock.h"

#include <algorithm>

namespace {

constexpr int kShortPauseMs = 8;

} // namespace

bool Hid_Thread::sendCommand(const char *name, unsigned char code, const Params &params, Pace pace,
                             const unsigned char *bulk, int bulkLength)
{
    if (!waitLinkFree()) {
        logCommandFailed(name);
        return false;
    }
    prepareRequest(code, params);
    const int length = std::clamp(bulkLength, 0, static_cast<int>(m_bulk.size()));
    if (bulk && length > 0)
        std::copy_n(bulk, length, m_bulk.begin());
    hidSend(length, pace == Pace::Settle);
    if (pace == Pace::Short)
        m_clock->sleep(kShortPauseMs);
    return true;
}

bool Hid_Thread::readCommand(const char *name, unsigned char code, const Params &params, Preset preset,
                             std::initializer_list<unsigned char *> outs)
{
    if (!waitLinkFree()) {
        logCommandFailed(name);
        return false;
    }
    prepareRequest(code, params);
    m_answer.fill(0);
    size_t byte = 2;
    if (preset == Preset::CurrentValues) {
        for (unsigned char *out : outs)
            m_answer[byte++] = *out;
    }
    hidSendRecv(0);
    byte = 2;
    for (unsigned char *out : outs)
        *out = m_answer[byte++];
    return true;
}

// --- 553 family -------------------------------------------------------------

void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    readCommand("00", 0x00, {byte1, byte2, byte3, byte4, 0, 0}, Preset::Zero,
                {&byte1, &byte2, &byte3, &byte4});
}
