#pragma once

#include "deviceentry.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>

#include <array>

enum class ChipFamily { F553, F560 };

// A firmware model of the mouse: what it accepts on its command interface, what
// it answers, what it stores, and the reports it sends on its event interface.
// It is driven by EmulatorBackend, which passes the time of every call.
class EmulatedMouse
{
public:
    struct Identity
    {
        quint16 vid = 0x04d9;
        quint16 pid = 0xa1ee;
        quint16 usagePage = 0xff00;
        quint16 usage = 0xff00;
        quint16 usagePage2 = 0xff01;
        quint16 usage2 = 0xff01;
        int reportLength = 32;
        bool isEncode = false;
        QString sCode = QStringLiteral("483915");
        ChipFamily family = ChipFamily::F560;
        bool hasEventInterface = true;
        QString product = QStringLiteral("KX20 (emulated)");

        // The mouse a device-table row describes.
        static Identity fromEntry(const DeviceEntry &entry, ChipFamily family);
        // The device-table row that describes this mouse.
        DeviceEntry toEntry() const;
    };

    // One command as the mouse understood it (after unscrambling).
    struct Command
    {
        qint64 time = 0;
        QByteArray block; // code, P0..P5, checksum
        QByteArray bulk;  // the bulk data announced by the command, as delivered
    };

    explicit EmulatedMouse(const Identity &identity);

    const Identity &identity() const { return m_identity; }
    // A different code than the host's makes the handshake fail.
    void setSecrecyCode(const QString &sCode);
    QString secrecyCode() const { return m_code; }

    // Command interface. Results follow hidapi: bytes moved, 0 = no data, -1 = refused.
    int setFeature(qint64 time, const unsigned char *data, size_t length);
    int getFeature(qint64 time, unsigned char *data, size_t length);
    int writeOutput(qint64 time, const unsigned char *data, size_t length);
    int readInput(qint64 time, unsigned char *data, size_t length);
    // Event interface: 0 when no report is queued.
    int readEvent(qint64 time, unsigned char *data, size_t length);

    // The DPI button on the mouse: the next stage (wrapping after the last
    // used stage) becomes current and, when event reports are enabled, the
    // report 06 07 00 stage is queued on the event interface.
    void pressDpiButton();
    // Any report on the event interface, as firmware of another kind might send.
    void sendEventReport(const QByteArray &report);
    bool eventReportsEnabled() const;
    bool hasQueuedEvent() const;
    // Input reports of a profile read that the host has not fetched yet.
    bool hasPendingInput() const { return !m_input.isEmpty(); }
    // Power lost (unplugged): reports and transfers in flight are gone, the
    // stored settings stay.
    void powerLoss();

    // Firmware state, as the commands left it.
    QList<Command> commands() const { return m_commands; }
    void clearCommands()
    {
        m_commands.clear();
        m_bulk.commandIndex = -1;
    }
    std::array<unsigned char, 4> keyboardOptions553() const { return m_options553; }
    std::array<unsigned char, 2> keyboardOptions560() const { return m_options560; }
    void setKeyboardOptions553(const std::array<unsigned char, 4> &options) { m_options553 = options; }
    void setKeyboardOptions560(const std::array<unsigned char, 2> &options) { m_options560 = options; }
    int currentStage() const { return m_currentStage; }
    void setCurrentStage(int stage) { m_currentStage = stage; }
    int currentProfile() const { return m_currentProfile; }
    void setCurrentProfile(int profile) { m_currentProfile = profile; }
    QByteArray profileImage(int profile) const;
    void setProfileImage(int profile, const QByteArray &image);
    // Stages the DPI button steps through: the stage count of the DPI table
    // (553) or the enabled-stage mask at byte 100 of the current profile's
    // image (560, images 1..4); 8 while neither says otherwise.
    int stageCount() const;

    // 553: report rate (01H); 560: the rate of series 1 (03H).
    int reportRate() const;
    // 560: what 03H and 04H stored for series 1..4; 0 when never set.
    int reportRateOfSeries(int series) const;
    int stageOfSeries(int series) const;
    // 553: current key matrix (02H), as sent.
    int currentKeyMatrix() const { return m_currentKeyMatrix; }
    // Key matrix 1..4 (553 12H, 560 0DH), 64 bytes; empty when out of range.
    QByteArray keyMatrix(int n) const;
    // Macro slot 1..12 (553 13H, 560 0FH), 128 bytes; empty when out of range.
    QByteArray macro(int slot) const;
    // 553 11H: stage count (0 until set) and the eight register bytes.
    int dpiStageCount() const { return m_dpiStageCount; }
    // As if the DPI table with `count` stages had been written (553).
    void setDpiStageCount(int count) { m_dpiStageCount = count; }
    QByteArray dpiTable() const { return m_dpiTable; }
    // 553 lighting: fixed colour (0CH), effect triple (0DH), stage colours (10H).
    std::array<unsigned char, 3> fixedLedColor() const { return m_fixedColor; }
    std::array<unsigned char, 3> rgbEffect() const { return m_rgbEffect; }
    int ledColorType() const { return m_ledColorType; }
    QByteArray ledColors() const { return m_ledColors; }
    // 553 04H: the four values of P1..P4.
    std::array<unsigned char, 4> gunData() const { return m_gunData; }
    // 553 04H: repetitions, X, Y last written for gun slot 0..2 (P4).
    std::array<unsigned char, 3> gunSlot(int slot) const;

    // Faults that concern the firmware itself.
    void setWithholdInputReports(bool withhold) { m_withholdInput = withhold; }
    void setRandomAnswers(bool random, quint32 seed = 1);

    // Host behaviour the mouse could not accept (bad checksum, wrong sizes,
    // missing bulk data, output reports closer than 120 ms, ...).
    QStringList violations() const { return m_violations; }
    void clearViolations() { m_violations.clear(); }
    // Called by the backend when the log is checked: a bulk train that was
    // announced but never completed is a violation.
    void finishPendingBulk();

private:
    using Block = std::array<unsigned char, 8>;

    // Bulk data announced by a command and still being delivered.
    struct PendingBulk
    {
        bool active = false;
        bool discard = false; // the command was refused; its data is swallowed
        Block block{};
        int length = 0;
        QByteArray data;
        qint64 lastReport = -1;
        int commandIndex = -1; // entry of m_commands that receives the data
    };

    bool garbled() const;
    Block key() const;
    void violation(const QString &text);
    // A complaint about what a command means; not raised while the mouse
    // cannot understand the host anyway (wrong secrecy code).
    void contentViolation(const QString &text);
    bool inRange(int value, int low, int high, const char *what);
    void checkLengthByte(const Block &block, int expected);
    void announceBulk(const Block &block, int length, bool discard);
    void closePendingBulk();
    void answer(const Block &request, std::initializer_list<int> values);
    void execute553(const Block &block);
    void execute560(const Block &block);
    void applyBulk(const Block &block, const QByteArray &data);
    void queueProfileImage(int profile);

    Identity m_identity;
    QString m_code;
    std::array<unsigned char, 4> m_options553{};
    std::array<unsigned char, 2> m_options560{};
    int m_currentStage = 1;
    int m_currentProfile = 0;
    bool m_withholdInput = false;
    bool m_randomAnswers = false;
    QRandomGenerator m_random;
    QList<Command> m_commands;
    QStringList m_violations;

    PendingBulk m_bulk;
    Block m_answer{};
    QList<QByteArray> m_input; // payloads of the input reports to come
    QList<QByteArray> m_events;

    int m_reportRate = 0;
    std::array<int, 4> m_seriesRate{};
    std::array<int, 4> m_seriesStage{};
    int m_currentKeyMatrix = 0;
    std::array<QByteArray, 4> m_keyMatrices;
    std::array<QByteArray, 12> m_macros;
    std::array<QByteArray, 5> m_profiles;
    int m_dpiStageCount = 0;
    QByteArray m_dpiTable;
    std::array<unsigned char, 3> m_fixedColor{};
    std::array<unsigned char, 3> m_rgbEffect{};
    int m_ledColorType = 0;
    QByteArray m_ledColors;
    std::array<unsigned char, 4> m_gunData{};
    std::array<std::array<unsigned char, 3>, 3> m_gunSlots{};
};
