// The command sets of both chip families. Every command is one request of
// code and parameters, optionally with bulk data or an answer; the shared
// builders below do the work, the protocol table says how each command is
// paced and how much bulk data follows, and each slot only says what travels
// where.
#include "hidthread.h"

#include "commandreport.h"
#include "protocolclock.h"
#include "protocoltable.h"

#include <algorithm>

namespace {

// Bulk lengths and row counts announced in the requests.
constexpr unsigned char kDpiTableLength = 0x08;
constexpr unsigned char kKeyMatrixLength553 = 0x40;
constexpr unsigned char kKeyMatrixRows553 = 0x08;
constexpr unsigned char kImageLength = 0x80;
constexpr int kKeyMatrixBytes = 64;
// 553 10H: type 2 carries one colour word, the others twelve RGB colours.
constexpr unsigned char kColourWordType = 2;
constexpr unsigned char kColourWordLength = 4;

using ProtocolTable::Family;

// The table's row of a command the layer sends; every one is in the table.
const ProtocolTable::Command &row(Family family, unsigned char code)
{
    const ProtocolTable::Command *command = ProtocolTable::find(family, code);
    Q_ASSERT(command);
    return *command;
}

} // namespace

bool Hid_Thread::sendCommand(const ProtocolTable::Command &command, const Params &params,
                             const unsigned char *bulk, std::optional<int> bulkLength)
{
    if (!waitLinkFree()) {
        logCommandFailed(command.failureCode);
        return false;
    }
    prepareRequest(command.code, params);
    const int length =
        std::clamp(bulkLength.value_or(command.bulkLength), 0, static_cast<int>(m_bulk.size()));
    if (bulk && length > 0)
        std::copy_n(bulk, length, m_bulk.begin());
    const bool sent = hidSend(length, command.pace == ProtocolTable::Pace::Settle);
    if (command.pace == ProtocolTable::Pace::Short)
        m_clock->sleep(ProtocolTable::kShortPauseMs);
    return sent;
}

bool Hid_Thread::readCommand(const ProtocolTable::Command &command, const Params &params, Preset preset,
                             std::initializer_list<unsigned char *> outs)
{
    if (!waitLinkFree()) {
        logCommandFailed(command.failureCode);
        return false;
    }
    prepareRequest(command.code, params);
    m_answer.fill(0);
    size_t byte = 2;
    if (preset == Preset::CurrentValues) {
        for (unsigned char *out : outs)
            m_answer[byte++] = *out;
    }
    const bool exchanged = hidSendRecv(0);
    byte = 2;
    for (unsigned char *out : outs)
        *out = m_answer[byte++];
    return exchanged;
}

void Hid_Thread::sendSeries(const ProtocolTable::Command &command, unsigned char value)
{
    if (!waitLinkFree()) {
        logCommandFailed(command.failureCode);
        return;
    }
    for (unsigned char n = 1; n <= 4; ++n) {
        // The transport gives the link back after each send; hold it until the
        // series is complete so that no other command slips in between.
        m_linkFree = false;
        prepareRequest(command.code, {n, value, 0, 0, 0, 0});
        hidSend(0, true);
        if (m_isGun)
            break;
    }
}

// --- 553 family -------------------------------------------------------------

void Hid_Thread::hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    readCommand(row(Family::F553, 0x00), {byte1, byte2, byte3, byte4, 0, 0}, Preset::Zero,
                {&byte1, &byte2, &byte3, &byte4});
}

void Hid_Thread::hid553_01H_SetReportRate(uchar rate)
{
    sendCommand(row(Family::F553, 0x01), {rate, 0, 0, 0, 0, 0});
}

void Hid_Thread::hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix)
{
    sendCommand(row(Family::F553, 0x02), {currentKeyMatrix, 0, 0, 0, 0, 0});
}

void Hid_Thread::hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    writeKeyboardOptions553({byte1, byte2, byte3, byte4});
}

bool Hid_Thread::writeKeyboardOptions553(const std::array<unsigned char, 4> &options)
{
    return sendCommand(row(Family::F553, 0x03), {options[0], options[1], options[2], options[3], 0, 0});
}

void Hid_Thread::hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    sendCommand(row(Family::F553, 0x04), {0, byte1, byte2, byte3, byte4, 0});
}

void Hid_Thread::hid553_0BH_SetCurrentDPI(uchar stage)
{
    sendCommand(row(Family::F553, 0x0B), {stage, 0, 0, 0, 0, 0});
}

void Hid_Thread::hid553_0CH_SetFixLEDColor(uchar *src3)
{
    sendCommand(row(Family::F553, 0x0C), {src3[0], src3[1], src3[2], 0, 0, 0});
}

void Hid_Thread::hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2)
{
    sendCommand(row(Family::F553, 0x0D), {effect, option1, option2, 0, 0, 0});
}

void Hid_Thread::hid553_10H_SetLED8StageColor(uchar type, uchar *src24)
{
    const ProtocolTable::Command &command = row(Family::F553, 0x10);
    const auto length =
        static_cast<unsigned char>(type == kColourWordType ? kColourWordLength : command.bulkLength);
    sendCommand(command, {type, length, 0, 0, 0, 0}, src24, length);
}

void Hid_Thread::hid553_11H_SetDPISet(uchar dpiStage, uchar *src8)
{
    sendCommand(row(Family::F553, 0x11), {dpiStage, kDpiTableLength, 0, 0, 0, 0}, src8);
}

void Hid_Thread::hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    sendCommand(row(Family::F553, 0x12), {indexAddOne, kKeyMatrixLength553, kKeyMatrixRows553, 0, 0, 0},
                src64);
}

void Hid_Thread::hid553_13H_SetMacroKey(uchar macroId, uchar *src128)
{
    sendCommand(row(Family::F553, 0x13), {macroId, kImageLength, 0, 0, 0, 0}, src128);
}

void Hid_Thread::hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4)
{
    readCommand(row(Family::F553, 0x83), {}, Preset::CurrentValues, {&byte1, &byte2, &byte3, &byte4});
}

bool Hid_Thread::readKeyboardOptions553(std::array<unsigned char, 4> &options)
{
    std::array<unsigned char, 4> read = options;
    if (!readCommand(row(Family::F553, 0x83), {}, Preset::CurrentValues,
                     {&read[0], &read[1], &read[2], &read[3]}))
        return false;
    options = read;
    return true;
}

void Hid_Thread::hid553_8BH_GetCurrentDPI(uchar &byte1)
{
    readCommand(row(Family::F553, 0x8B), {}, Preset::CurrentValues, {&byte1});
}

// --- 560 family -------------------------------------------------------------

void Hid_Thread::hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2)
{
    writeKeyboardOptions560({byte1, byte2});
}

bool Hid_Thread::writeKeyboardOptions560(const std::array<unsigned char, 2> &options)
{
    return sendCommand(row(Family::F560, 0x01), {options[0], options[1], 0, 0, 0, 0});
}

void Hid_Thread::hid560_02H_SetCurrentProfile(uchar profile)
{
    sendCommand(row(Family::F560, 0x02), {profile, 0, 0, 0, 0, 0});
}

void Hid_Thread::hid560_03H_SetReportRate(uchar rate)
{
    sendSeries(row(Family::F560, 0x03), rate);
}

void Hid_Thread::hid560_04H_SetCurrentDPI(uchar stage)
{
    sendSeries(row(Family::F560, 0x04), stage);
}

void Hid_Thread::hid560_0CH_setProfile(uchar *src128, uchar profileData)
{
    sendCommand(row(Family::F560, 0x0C), {profileData, kImageLength, 0, 0, 0, 0}, src128);
}

void Hid_Thread::hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne)
{
    // The mouse always takes 128 bytes here, of which the last 64 are zero.
    std::array<unsigned char, CommandReport::kBulkSize> block{};
    std::copy_n(src64, kKeyMatrixBytes, block.begin());
    sendCommand(row(Family::F560, 0x0D), {indexAddOne, kImageLength, 0, 0, 0, 0}, block.data());
}

void Hid_Thread::hid560_0FH_SetMacroKey(uchar macroId, uchar *src128)
{
    sendCommand(row(Family::F560, 0x0F), {macroId, kImageLength, 0, 0, 0, 0}, src128);
}

void Hid_Thread::hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2)
{
    readCommand(row(Family::F560, 0x81), {}, Preset::CurrentValues, {&byte1, &byte2});
}

bool Hid_Thread::readKeyboardOptions560(std::array<unsigned char, 2> &options)
{
    std::array<unsigned char, 2> read = options;
    if (!readCommand(row(Family::F560, 0x81), {}, Preset::CurrentValues, {&read[0], &read[1]}))
        return false;
    options = read;
    return true;
}

void Hid_Thread::hid560_82H_GetCurrentProfile(uchar &byte1)
{
    readCommand(row(Family::F560, 0x82), {}, Preset::CurrentValues, {&byte1});
}

void Hid_Thread::hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2)
{
    readCommand(row(Family::F560, 0x84), {byte1, 0, 0, 0, 0, 0}, Preset::CurrentValues, {&byte1, &byte2});
}

void Hid_Thread::hid560_8CH_readProfile(uchar *src128, uchar profileNo)
{
    readProfileImage(src128, profileNo);
}

bool Hid_Thread::readProfileImage(uchar *image128, uchar profileNo)
{
    const ProtocolTable::Command &command = row(Family::F560, 0x8C);
    if (!waitLinkFree()) {
        logCommandFailed(command.failureCode);
        return false;
    }
    prepareRequest(command.code, {profileNo, 0, 0, 0, 0, 0});
    m_answer.fill(0);
    // A failed read leaves the caller's bytes, or the pieces read so far.
    std::copy_n(image128, CommandReport::kBulkSize, m_bulk.begin());
    const bool read = hidSendRecv(command.bulkLength);
    std::copy_n(m_bulk.begin(), CommandReport::kBulkSize, image128);
    return read;
}
