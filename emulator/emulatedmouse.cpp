// The firmware model spells out every command code itself, on purpose: it
// does not read the program's protocol table (device/protocoltable.*), so
// that a wrong row in that table shows up as a mouse that disagrees instead
// of being copied into the check.
#include "emulatedmouse.h"

#include "commandreport.h"
#include "scrambling.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kProfiles = 5;
constexpr int kKeyMatrices = 4;
constexpr int kMacroSlots = 12;
constexpr int kMaxStage = 8;
constexpr int kMatrixSize = 64;
constexpr int kImageSize = static_cast<int>(CommandReport::kBulkSize);
// Index of the enabled-stage mask in a 560 profile image.
constexpr int kStageMaskByte = 100;
// A host that never reads its events should not make the mouse grow without end.
constexpr int kMaxQueuedEvents = 64;
// Gap the firmware needs between two output reports of one train.
constexpr qint64 kOutputGapMs = 120;

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString codeName(int code)
{
    return hex2(code) + QLatin1Char('H');
}

} // namespace

EmulatedMouse::Identity EmulatedMouse::Identity::fromEntry(const DeviceEntry &entry, ChipFamily family)
{
    Identity id;
    id.vid = entry.vid;
    id.pid = entry.pid;
    id.usagePage = entry.usagePage;
    id.usage = entry.usage;
    id.usagePage2 = entry.usagePage2;
    id.usage2 = entry.usage2;
    id.reportLength = entry.reportLength;
    id.isEncode = entry.isEncode;
    id.sCode = entry.sCode;
    id.family = family;
    // A row without a second usage pair describes a mouse without event reports.
    id.hasEventInterface = entry.usagePage2 != 0 || entry.usage2 != 0;
    return id;
}

DeviceEntry EmulatedMouse::Identity::toEntry() const
{
    DeviceEntry row;
    row.type = 1;
    row.vid = vid;
    row.pid = pid;
    row.usagePage = usagePage;
    row.usage = usage;
    row.usagePage2 = usagePage2;
    row.usage2 = usage2;
    row.reportLength = reportLength;
    row.isEncode = isEncode;
    row.sCode = sCode;
    return row;
}

EmulatedMouse::EmulatedMouse(const Identity &identity)
    : m_identity(identity)
    , m_code(identity.sCode)
    , m_random(1)
    , m_dpiTable(kMaxStage, '\0')
{
    m_identity.reportLength =
        std::clamp(m_identity.reportLength, DeviceEntry::kMinReportLength, DeviceEntry::kMaxReportLength);
    for (QByteArray &matrix : m_keyMatrices)
        matrix = QByteArray(kMatrixSize, '\0');
    for (QByteArray &slot : m_macros)
        slot = QByteArray(kImageSize, '\0');
    for (QByteArray &image : m_profiles)
        image = QByteArray(kImageSize, '\0');
    answer(Block{}, {});
}

void EmulatedMouse::setSecrecyCode(const QString &sCode)
{
    m_code = sCode;
}

bool EmulatedMouse::garbled() const
{
    return m_identity.isEncode && m_code != m_identity.sCode;
}

EmulatedMouse::Block EmulatedMouse::key() const
{
    Block k{};
    const QByteArray ascii = m_code.toLatin1();
    for (int i = 0; i < 6 && i < ascii.size(); ++i)
        k[static_cast<std::size_t>(i) + 1] = static_cast<unsigned char>(ascii[i]);
    return k;
}

void EmulatedMouse::violation(const QString &text)
{
    m_violations.append(text);
}

void EmulatedMouse::contentViolation(const QString &text)
{
    if (!garbled())
        violation(text);
}

bool EmulatedMouse::inRange(int value, int low, int high, const char *what)
{
    if (value >= low && value <= high)
        return true;
    contentViolation(QStringLiteral("%1 %2 out of range").arg(QLatin1String(what)).arg(value));
    return false;
}

void EmulatedMouse::checkLengthByte(const Block &block, int expected)
{
    if (block[2] != expected)
        contentViolation(QStringLiteral("command %1: length byte %2, expected %3")
                             .arg(codeName(block[0]), hex2(block[2]), hex2(expected)));
}

// ---------------------------------------------------------------------------
// Command interface

int EmulatedMouse::setFeature(qint64 time, const unsigned char *data, size_t length)
{
    if (length != CommandReport::kSize) {
        violation(QStringLiteral("feature report of %1 bytes, expected 9").arg(length));
        return -1;
    }
    if (data[0] != 0) {
        violation(QStringLiteral("feature report with report id %1").arg(hex2(data[0])));
        return -1;
    }
    Block block;
    std::memcpy(block.data(), data + CommandReport::kBlockOffset, block.size());
    if (m_identity.isEncode) {
        const Block k = key();
        Scrambling::unscramble(block.data(), k.data());
    }

    // Whatever was in flight ends with a new command.
    closePendingBulk();
    m_input.clear();

    if (block[7] != CommandReport::checksum(block.data())) {
        // The firmware drops the report; a mouse with another code sees only garbage.
        contentViolation(QStringLiteral("bad checksum in command %1").arg(codeName(block[0])));
        return static_cast<int>(length);
    }

    Command command;
    command.time = time;
    command.block = QByteArray(reinterpret_cast<const char *>(block.data()), static_cast<int>(block.size()));
    m_commands.append(command);

    if (m_identity.family == ChipFamily::F553)
        execute553(block);
    else
        execute560(block);
    if (m_bulk.active)
        m_bulk.commandIndex = static_cast<int>(m_commands.size()) - 1;
    return static_cast<int>(length);
}

int EmulatedMouse::getFeature(qint64 time, unsigned char *data, size_t length)
{
    Q_UNUSED(time);
    if (length != CommandReport::kSize) {
        violation(QStringLiteral("get-feature of %1 bytes, expected 9").arg(length));
        return -1;
    }
    if (data[0] != 0) {
        violation(QStringLiteral("get-feature with report id %1").arg(hex2(data[0])));
        return -1;
    }
    Block block = m_answer;
    if (m_randomAnswers) {
        for (unsigned char &b : block)
            b = static_cast<unsigned char>(m_random.generate() & 0xFF);
    } else if (m_identity.isEncode) {
        const Block k = key();
        Scrambling::scramble(block.data(), k.data());
    }
    data[0] = 0;
    std::memcpy(data + CommandReport::kBlockOffset, block.data(), block.size());
    return static_cast<int>(length);
}

int EmulatedMouse::writeOutput(qint64 time, const unsigned char *data, size_t length)
{
    const std::size_t expected = static_cast<std::size_t>(m_identity.reportLength) + 1;
    if (length != expected) {
        violation(QStringLiteral("output report of %1 bytes, expected %2").arg(length).arg(expected));
        return -1;
    }
    if (data[0] != 0) {
        violation(QStringLiteral("output report with report id %1").arg(hex2(data[0])));
        return -1;
    }
    if (!m_bulk.active) {
        contentViolation(QStringLiteral("output report without announced bulk data"));
        return static_cast<int>(length);
    }
    if (m_bulk.lastReport >= 0 && time - m_bulk.lastReport < kOutputGapMs)
        violation(QStringLiteral("output reports %1 ms apart, expected at least %2 ms")
                      .arg(time - m_bulk.lastReport)
                      .arg(kOutputGapMs));
    m_bulk.lastReport = time;

    const int chunk = std::min(m_bulk.length, m_identity.reportLength);
    const int take = std::min(chunk, m_bulk.length - static_cast<int>(m_bulk.data.size()));
    const QByteArray piece(reinterpret_cast<const char *>(data) + 1, take);
    m_bulk.data.append(piece);
    if (m_bulk.commandIndex >= 0 && m_bulk.commandIndex < m_commands.size())
        m_commands[m_bulk.commandIndex].bulk.append(piece);

    if (m_bulk.data.size() >= m_bulk.length) {
        const PendingBulk done = m_bulk;
        m_bulk = PendingBulk();
        if (!done.discard)
            applyBulk(done.block, done.data);
    }
    return static_cast<int>(length);
}

int EmulatedMouse::readInput(qint64 time, unsigned char *data, size_t length)
{
    Q_UNUSED(time);
    if (m_withholdInput || m_input.isEmpty() || length == 0)
        return 0;
    QByteArray payload = m_input.takeFirst();
    if (m_randomAnswers) {
        for (char &b : payload)
            b = static_cast<char>(m_random.generate() & 0xFF);
    }
    const std::size_t n = std::min(length, static_cast<std::size_t>(payload.size()));
    std::memcpy(data, payload.constData(), n);
    return static_cast<int>(n);
}

void EmulatedMouse::finishPendingBulk()
{
    closePendingBulk();
}

void EmulatedMouse::announceBulk(const Block &block, int length, bool discard)
{
    m_bulk = PendingBulk();
    m_bulk.active = true;
    m_bulk.discard = discard;
    m_bulk.block = block;
    m_bulk.length = length;
}

void EmulatedMouse::closePendingBulk()
{
    if (!m_bulk.active)
        return;
    contentViolation(QStringLiteral("command %1: %2 of %3 bulk bytes delivered")
                         .arg(codeName(m_bulk.block[0]))
                         .arg(m_bulk.data.size())
                         .arg(m_bulk.length));
    m_bulk = PendingBulk();
}

void EmulatedMouse::answer(const Block &request, std::initializer_list<int> values)
{
    Block a{};
    a[0] = request[0];
    std::size_t i = 1;
    for (int v : values) {
        if (i > 6)
            break;
        a[i++] = static_cast<unsigned char>(v);
    }
    a[7] = CommandReport::checksum(a.data());
    m_answer = a;
}

void EmulatedMouse::queueProfileImage(int profile)
{
    const QByteArray &image = m_profiles[static_cast<std::size_t>(profile)];
    const int reportLength = m_identity.reportLength;
    const int piece = std::min(kImageSize, reportLength);
    for (int offset = 0; offset < kImageSize; offset += piece) {
        QByteArray payload(reportLength, '\0');
        const int n = std::min(piece, kImageSize - offset);
        std::memcpy(payload.data(), image.constData() + offset, static_cast<std::size_t>(n));
        m_input.append(payload);
    }
}

void EmulatedMouse::execute553(const Block &b)
{
    const int p0 = b[1];
    switch (b[0]) {
    case 0x00:
        answer(b, {b[1], b[2], b[3], b[4]});
        break;
    case 0x01:
        m_reportRate = p0;
        break;
    case 0x02:
        m_currentKeyMatrix = p0;
        break;
    case 0x03:
        m_options553 = {b[1], b[2], b[3], b[4]};
        break;
    case 0x04:
        m_gunData = {b[2], b[3], b[4], b[5]};
        if (b[5] < m_gunSlots.size())
            m_gunSlots[b[5]] = {b[2], b[3], b[4]};
        break;
    case 0x0B:
        if (inRange(p0, 1, kMaxStage, "stage"))
            m_currentStage = p0;
        break;
    case 0x0C:
        m_fixedColor = {b[1], b[2], b[3]};
        break;
    case 0x0D:
        m_rgbEffect = {b[1], b[2], b[3]};
        break;
    case 0x10:
        // Type 2 carries one colour and a byte; the others twelve colours.
        if (b[2] == 4 || b[2] == 36)
            announceBulk(b, b[2], false);
        else
            contentViolation(QStringLiteral("LED colour length %1, expected 4 or 36").arg(b[2]));
        break;
    case 0x11:
        checkLengthByte(b, 0x08);
        announceBulk(b, kMaxStage, !inRange(p0, 1, kMaxStage, "DPI stage count"));
        break;
    case 0x12:
        checkLengthByte(b, 0x40);
        announceBulk(b, kMatrixSize, !inRange(p0, 1, kKeyMatrices, "key matrix"));
        break;
    case 0x13:
        checkLengthByte(b, 0x80);
        announceBulk(b, kImageSize, !inRange(p0, 1, kMacroSlots, "macro slot"));
        break;
    case 0x83:
        answer(b, {m_options553[0], m_options553[1], m_options553[2], m_options553[3]});
        break;
    case 0x8B:
        answer(b, {m_currentStage});
        break;
    default:
        contentViolation(QStringLiteral("unknown command %1 for the 553 family").arg(codeName(b[0])));
        break;
    }
}

void EmulatedMouse::execute560(const Block &b)
{
    const int p0 = b[1];
    const int p1 = b[2];
    switch (b[0]) {
    case 0x00:
        answer(b, {b[1], b[2], b[3], b[4]});
        break;
    case 0x01:
        m_options560 = {b[1], b[2]};
        break;
    case 0x02:
        if (inRange(p0, 0, kProfiles - 1, "profile"))
            m_currentProfile = p0;
        break;
    case 0x03:
        if (inRange(p0, 1, 4, "series"))
            m_seriesRate[static_cast<std::size_t>(p0 - 1)] = p1;
        break;
    case 0x04:
        if (inRange(p0, 1, 4, "series") && inRange(p1, 1, kMaxStage, "stage")) {
            m_seriesStage[static_cast<std::size_t>(p0 - 1)] = p1;
            m_currentStage = p1;
        }
        break;
    case 0x0C:
        checkLengthByte(b, 0x80);
        announceBulk(b, kImageSize, !inRange(p0, 0, kProfiles - 1, "profile"));
        break;
    case 0x0D:
        checkLengthByte(b, 0x80);
        announceBulk(b, kImageSize, !inRange(p0, 1, kKeyMatrices, "key matrix"));
        break;
    case 0x0F:
        checkLengthByte(b, 0x80);
        announceBulk(b, kImageSize, !inRange(p0, 1, kMacroSlots, "macro slot"));
        break;
    case 0x81:
        answer(b, {m_options560[0], m_options560[1]});
        break;
    case 0x82:
        answer(b, {m_currentProfile});
        break;
    case 0x84:
        answer(b, {p0, m_currentStage});
        break;
    case 0x8C:
        answer(b, {p0});
        if (inRange(p0, 0, kProfiles - 1, "profile"))
            queueProfileImage(p0);
        break;
    default:
        contentViolation(QStringLiteral("unknown command %1 for the 560 family").arg(codeName(b[0])));
        break;
    }
}

void EmulatedMouse::applyBulk(const Block &b, const QByteArray &data)
{
    const int p0 = b[1];
    if (m_identity.family == ChipFamily::F553) {
        switch (b[0]) {
        case 0x10:
            m_ledColorType = p0;
            m_ledColors = data;
            break;
        case 0x11:
            m_dpiStageCount = p0;
            m_dpiTable = data;
            break;
        case 0x12:
            m_keyMatrices[static_cast<std::size_t>(p0 - 1)] = data;
            break;
        case 0x13:
            m_macros[static_cast<std::size_t>(p0 - 1)] = data;
            break;
        default:
            break;
        }
        return;
    }
    switch (b[0]) {
    case 0x0C:
        m_profiles[static_cast<std::size_t>(p0)] = data;
        break;
    case 0x0D:
        m_keyMatrices[static_cast<std::size_t>(p0 - 1)] = data.left(kMatrixSize);
        // The matrix fills the first half; the firmware expects the rest cleared.
        if (data.mid(kMatrixSize).count('\0') != data.size() - kMatrixSize)
            contentViolation(QStringLiteral("key matrix %1: last 64 bytes not zero").arg(p0));
        break;
    case 0x0F:
        m_macros[static_cast<std::size_t>(p0 - 1)] = data;
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Event interface

int EmulatedMouse::readEvent(qint64 time, unsigned char *data, size_t length)
{
    Q_UNUSED(time);
    if (m_events.isEmpty() || length == 0)
        return 0;
    const QByteArray report = m_events.takeFirst();
    const std::size_t n = std::min(length, static_cast<std::size_t>(report.size()));
    std::memcpy(data, report.constData(), n);
    return static_cast<int>(n);
}

int EmulatedMouse::stageCount() const
{
    if (m_identity.family == ChipFamily::F553)
        return m_dpiStageCount >= 1 && m_dpiStageCount <= kMaxStage ? m_dpiStageCount : kMaxStage;
    // Profile 0 holds no DPI stages; the stage images are 1..4.
    const int profile = m_currentProfile >= 1 ? m_currentProfile : 1;
    const auto mask =
        static_cast<unsigned char>(m_profiles[static_cast<std::size_t>(profile)][kStageMaskByte]);
    for (int stage = kMaxStage; stage >= 1; --stage) {
        if (mask & (1u << (stage - 1)))
            return stage;
    }
    return kMaxStage;
}

void EmulatedMouse::pressDpiButton()
{
    const int count = stageCount();
    m_currentStage = m_currentStage >= 1 && m_currentStage < count ? m_currentStage + 1 : 1;
    if (!eventReportsEnabled())
        return;
    QByteArray report(4, '\0');
    report[0] = 0x06;
    report[1] = 0x07;
    report[3] = static_cast<char>(m_currentStage);
    sendEventReport(report);
}

void EmulatedMouse::sendEventReport(const QByteArray &report)
{
    if (m_events.size() >= kMaxQueuedEvents)
        m_events.removeFirst();
    m_events.append(report);
}

bool EmulatedMouse::eventReportsEnabled() const
{
    if (m_identity.family == ChipFamily::F553)
        return (m_options553[3] & 0x40) != 0;
    return (m_options560[0] & 0x08) != 0;
}

bool EmulatedMouse::hasQueuedEvent() const
{
    return !m_events.isEmpty();
}

void EmulatedMouse::powerLoss()
{
    m_bulk = PendingBulk();
    m_input.clear();
    m_events.clear();
}

// ---------------------------------------------------------------------------
// Stored state

QByteArray EmulatedMouse::profileImage(int profile) const
{
    if (profile < 0 || profile >= kProfiles)
        return {};
    return m_profiles[static_cast<std::size_t>(profile)];
}

void EmulatedMouse::setProfileImage(int profile, const QByteArray &image)
{
    if (profile < 0 || profile >= kProfiles)
        return;
    QByteArray stored = image.left(kImageSize);
    stored.append(QByteArray(kImageSize - stored.size(), '\0'));
    m_profiles[static_cast<std::size_t>(profile)] = stored;
}

int EmulatedMouse::reportRate() const
{
    return m_identity.family == ChipFamily::F553 ? m_reportRate : m_seriesRate[0];
}

int EmulatedMouse::reportRateOfSeries(int series) const
{
    return series >= 1 && series <= 4 ? m_seriesRate[static_cast<std::size_t>(series - 1)] : 0;
}

int EmulatedMouse::stageOfSeries(int series) const
{
    return series >= 1 && series <= 4 ? m_seriesStage[static_cast<std::size_t>(series - 1)] : 0;
}

QByteArray EmulatedMouse::keyMatrix(int n) const
{
    return n >= 1 && n <= kKeyMatrices ? m_keyMatrices[static_cast<std::size_t>(n - 1)] : QByteArray();
}

QByteArray EmulatedMouse::macro(int slot) const
{
    return slot >= 1 && slot <= kMacroSlots ? m_macros[static_cast<std::size_t>(slot - 1)] : QByteArray();
}

void EmulatedMouse::setRandomAnswers(bool random, quint32 seed)
{
    m_randomAnswers = random;
    m_random.seed(seed);
}

std::array<unsigned char, 3> EmulatedMouse::gunSlot(int slot) const
{
    if (slot < 0 || slot >= int(m_gunSlots.size()))
        return {};
    return m_gunSlots[static_cast<std::size_t>(slot)];
}
