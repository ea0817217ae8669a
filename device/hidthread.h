#pragma once

#include "deviceentry.h"
#include "hidbackend.h"

#include <QFuture>
#include <QList>
#include <QThread>

#include <array>
#include <atomic>
#include <functional>
#include <initializer_list>
#include <optional>

class ProtocolClock;
namespace ProtocolTable {
struct Command;
}

// The device link: the device table and discovery, the report transport with
// its link-free token and pauses, the scrambling handshake and the commands of
// both chip families. Everything but the report listener runs on the GUI
// thread. The QThread base is the object's established shape; its own thread
// is never started.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    static constexpr int kLinkPolls = 255;
    static constexpr int kLinkPollMs = 8;
    static constexpr int kOutputReportPauseMs = 120;
    static constexpr int kSettleHalfMs = 64;
    // A mouse that never sends its input reports must not hold the program.
    static constexpr int kBulkReadTimeoutMs = 1000;

    explicit Hid_Thread(QObject *parent = nullptr);
    ~Hid_Thread() override;

    // Seams: the HID backend (hidapi unless told otherwise) and the clock that
    // every protocol pause goes through. Neither is owned.
    void setBackend(HidBackend *backend);
    HidBackend &backend() const { return *m_backend; }
    void setClock(ProtocolClock *clock);
    ProtocolClock &clock() const { return *m_clock; }

    // Device table.
    const QList<DeviceEntry> &deviceTable() const { return m_table; }
    void setDeviceTable(const QList<DeviceEntry> &table) { m_table = table; }
    int currentDeviceIndex() const { return m_currentIndex; }
    const DeviceEntry *currentEntry() const;

    // Fills the command and event paths of every row from the attached HID
    // interfaces; a later matching interface overwrites an earlier one.
    QList<DeviceEntry> locateInterfaces(QList<DeviceEntry> table);
    // One discovery run: reads the table from the INI file, locates the
    // interfaces, installs the table and proves the rows in order by the
    // secrecy-code handshake. Returns the first row that passed, or -1.
    int discoverDevice(const QString &apConfigPath);

    // Interfaces of row `index`. An open closes the previous handle; a failed
    // open empties the row's path so the row counts as absent until the next
    // discovery.
    HidHandle openCommandInterface(int index);
    HidHandle openEventInterface(int index);
    void closeCommandInterface();
    void closeEventInterface();

    // Gun models take the report rate and DPI stage in one request instead of
    // a series of four. The owner sets it from the configured model.
    void setGunModel(bool isGun) { m_isGun = isGun; }
    bool isGunModel() const { return m_isGun; }
    // The configured chip family, "553" or "560"; anything but "560" is
    // driven as a 553.
    void setChipFamily(const QString &icType) { m_chipFamily = icType; }
    bool is560Family() const { return m_chipFamily == QLatin1String("560"); }

    // Listening flag: set while the report listener may run.
    bool isListening() const { return m_listening.load(); }
    void setListening(bool listening) { m_listening.store(listening); }

    // Switches the mouse's event reports on (keeping its other keyboard
    // options) and watches its event interface on a pool thread. False when
    // the options could not be read or written back: the listener still
    // runs, but the mouse may never report a DPI switch.
    bool startReportListener(uint index);
    // Blocks until the listener has left its loop (one read time-out at most
    // once the listening flag is clear).
    void waitForListener();

    // Keyboard options of each family; false when the exchange failed, in
    // which case `options` is left as it was.
    bool readKeyboardOptions553(std::array<unsigned char, 4> &options);
    bool readKeyboardOptions560(std::array<unsigned char, 2> &options);
    // The same options written back; false when they did not reach the mouse.
    bool writeKeyboardOptions553(const std::array<unsigned char, 4> &options);
    bool writeKeyboardOptions560(const std::array<unsigned char, 2> &options);
    // 560 profile image `profileNo` into `image128`; false when the mouse did
    // not deliver all of it (the buffer then holds what arrived, as 8CH does).
    bool readProfileImage(uchar *image128, uchar profileNo);

    // Link-free token (taken by waitLinkFree, given back by the transport).
    bool isLinkFree() const { return m_linkFree; }
    void freeLink() { m_linkFree = true; }
    // How many commands have failed since the link was made: a link that was
    // never free, or a transfer the mouse did not take. Callers compare two
    // readings to learn whether a group of commands reached the mouse.
    quint64 failedCommands() const { return m_failedCommands; }

    // Buffers that the command builders fill before calling the transport.
    unsigned char *requestBuffer() { return m_request.data(); }
    unsigned char *answerBuffer() { return m_answer.data(); }
    unsigned char *bulkBuffer() { return m_bulk.data(); }
    // Request = 00, code, six parameters, checksum.
    void prepareRequest(unsigned char code, const std::array<unsigned char, 6> &params);
    // Told of every request as it is prepared, in the clear and before any of
    // its reports go out (a trace names the commands by it).
    using RequestObserver = std::function<void(const unsigned char *request9)>;
    void setRequestObserver(RequestObserver observer) { m_requestObserver = std::move(observer); }

    // The process-wide key of the report scrambling (bytes 1..6 used).
    static const unsigned char *secrecyCode();
    // The handshake challenge drawn at a given second: two handshakes in the
    // same second draw the same four bytes.
    static std::array<unsigned char, 4> challengeFor(qint64 secondsSinceEpoch);

signals:
    // Emitted on the listener's pool thread: connect with an automatic or
    // queued connection so the effects happen on the receiver's thread.
    void dpiStageSwitched(int stage);
    void eventInterfaceLost();

public slots:
    uchar hidCS(uchar *cmd);
    bool waitLinkFree();
    void settlePause();
    bool hidSend(int dataLength, bool settle);
    bool hidSendRecv(int dataLength);

    void USBDataEncryption(uchar *FIFOBuf, uchar *SecrecyCode);
    void USBDataDecipher(uchar *FIFOBuf, uchar *SecrecyCode);
    bool chkDeviceIsEnCode(int index);

    // 553 family: one command per kind of setting.
    void hid553_00H_GetSecrecyCode(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_01H_SetReportRate(uchar rate);
    void hid553_02H_SetCurrentKeyMatrix(uchar currentKeyMatrix);
    void hid553_03H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_04H_SetGunData(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void hid553_0BH_SetCurrentDPI(uchar stage);
    void hid553_0CH_SetFixLEDColor(uchar *src3);
    void hid553_0DH_SetRGBLedEffect(uchar effect, uchar option1, uchar option2);
    void hid553_10H_SetLED8StageColor(uchar type, uchar *src24);
    void hid553_11H_SetDPISet(uchar dpiStage, uchar *src8);
    void hid553_12H_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid553_13H_SetMacroKey(uchar macroId, uchar *src128);
    void hid553_83H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3, uchar &byte4);
    void hid553_8BH_GetCurrentDPI(uchar &byte1);

    // 560 family: whole profile images plus a few small commands.
    void hid560_01H_SetKeyboardoption(uchar byte1, uchar byte2);
    void hid560_02H_SetCurrentProfile(uchar profile);
    void hid560_03H_SetReportRate(uchar rate);
    void hid560_04H_SetCurrentDPI(uchar stage);
    void hid560_0CH_setProfile(uchar *src128, uchar profileData);
    void hid560_0DH_SetKeyMatrix(uchar *src64, uchar indexAddOne);
    void hid560_0FH_SetMacroKey(uchar macroId, uchar *src128);
    void hid560_81H_GetKeyboardoption(uchar &byte1, uchar &byte2);
    void hid560_82H_GetCurrentProfile(uchar &byte1);
    void hid560_84H_GetCurrentDPI(uchar &byte1, uchar &byte2);
    void hid560_8CH_readProfile(uchar *src128, uchar profileNo);

private:
    using Params = std::array<unsigned char, 6>;
    // What a read command leaves in the answer buffer before the exchange, so
    // that a failed exchange gives defined out-parameters.
    enum class Preset { Zero, CurrentValues };

    // Takes the link, sends the command and its bulk data (the table's length
    // unless the request announces another), paced as the table says; false
    // (after the failure line) when the link could not be taken, or when the
    // transfer failed.
    bool sendCommand(const ProtocolTable::Command &command, const Params &params,
                     const unsigned char *bulk = nullptr, std::optional<int> bulkLength = std::nullopt);
    // Takes the link, sends the command and reads its answer; out-parameter i
    // is answer byte 2 + i. True when the exchange succeeded.
    bool readCommand(const ProtocolTable::Command &command, const Params &params, Preset preset,
                     std::initializer_list<unsigned char *> outs);
    // The 560 series n = 1..4 of one value, sent under one hold of the link.
    void sendSeries(const ProtocolTable::Command &command, unsigned char value);

    // What a transfer needs of the current row.
    struct Link
    {
        bool encode;
        int reportLength;
    };
    // Opens the mouse, scrambles the request when it expects that and sends
    // it; nothing when that failed.
    std::optional<Link> sendRequest();

    void listenReports(const QByteArray &eventPath);
    void forgetEventPath(const QByteArray &eventPath);

    HidHandle openInterface(int index, bool event);
    void processPendingEvents();
    bool finishTransfer(bool result);
    static void logCommandFailed(const char *code);

    HidBackend *m_backend;
    ProtocolClock *m_clock;
    QList<DeviceEntry> m_table;
    int m_currentIndex = 1;
    HidHandle m_commandHandle = nullptr;
    HidHandle m_eventHandle = nullptr;
    std::atomic<bool> m_listening{false};
    bool m_linkFree = true;
    quint64 m_failedCommands = 0;
    bool m_isGun = false;
    QString m_chipFamily;
    QFuture<void> m_listener;
    RequestObserver m_requestObserver;
    std::array<unsigned char, 9> m_request{};
    std::array<unsigned char, 9> m_answer{};
    std::array<unsigned char, 128> m_bulk{};
};
