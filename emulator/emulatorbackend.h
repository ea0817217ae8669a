#pragma once

#include "emulatedmouse.h"
#include "hidbackend.h"

#include <memory>
#include <vector>

class ProtocolClock;

enum class HidCall {
    Enumerate,
    Open,
    SetNonblocking,
    SendFeature,
    GetFeature,
    Write,
    Read,
    ReadTimeout,
    Close
};

// One HID call as the host made it, with the virtual (or real) time it was made.
struct EmulatorCall
{
    qint64 time = 0;
    HidCall kind = HidCall::Enumerate;
    QByteArray path; // interface the call went to; empty for enumerate
    QByteArray data; // bytes sent (feature, write) or returned (get, read)
    int result = 0;
};

// The emulated HID world: emulated mice, other HID devices that merely show up
// in enumeration, open handles, the call log and injected faults. Thread safe:
// the report listener reads the event interface from a pool thread.
class EmulatorBackend final : public HidBackend
{
public:
    explicit EmulatorBackend(ProtocolClock &clock);
    ~EmulatorBackend() override;

    // Adds a mouse; its command path is "emu:N:command" and its event path
    // "emu:N:event", N its index. Returns the mouse, owned by the backend.
    EmulatedMouse &addMouse(const EmulatedMouse::Identity &identity);
    // A HID interface that is not ours (keyboard, another vendor's mouse).
    void addForeignDevice(const HidDeviceInfo &info);
    EmulatedMouse &mouse(int index = 0);
    int mouseCount() const;

    // HidBackend
    QList<HidDeviceInfo> enumerate(quint16 vendorId, quint16 productId) override;
    HidHandle openPath(const QByteArray &path) override;
    int setNonblocking(HidHandle handle, int nonblock) override;
    int sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length) override;
    int getFeatureReport(HidHandle handle, unsigned char *data, size_t length) override;
    int write(HidHandle handle, const unsigned char *data, size_t length) override;
    int read(HidHandle handle, unsigned char *data, size_t length) override;
    int readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds) override;
    void close(HidHandle handle) override;

    // The DPI button on mouse `mouseIndex`; wakes a listener waiting for a report.
    void pressDpiButton(int mouseIndex = 0);
    // Queues any report on the event interface of mouse `mouseIndex`.
    void sendEventReport(const QByteArray &report, int mouseIndex = 0);

    // Faults.
    void unplug(int mouseIndex = 0);
    void plugIn(int mouseIndex = 0);
    bool isPluggedIn(int mouseIndex = 0) const;
    // The Nth HID call from now (1 = the next) finds the mouse unplugged.
    void unplugAtCall(int n, int mouseIndex = 0);
    // The Nth call of this kind from now returns -1 (a null handle for Open).
    void failCall(HidCall kind, int nth = 1);
    // A mouse whose firmware hangs while it stays attached: it still opens,
    // but takes no feature or output report (-1 after the time-out of a USB
    // transfer, which moves a virtual clock on) and sends no report, so reads
    // find nothing until their time-out. Plugging it in again revives it.
    void stopAnswering(int mouseIndex = 0);
    bool isAnswering(int mouseIndex = 0) const;
    // A hung firmware that recovers by itself, without a new plug-in.
    void resumeAnswering(int mouseIndex = 0);
    // The Nth HID call from now (1 = the next) finds the mouse no longer answering.
    void stopAnsweringAtCall(int n, int mouseIndex = 0);
    // What a transfer to a mouse that does not answer costs before it fails.
    static constexpr int kTransferTimeoutMs = 5000;

    // When set, a read with a time-out that finds no report waits in real time
    // (up to its time-out) for one, as a real device would; otherwise it
    // returns 0 at once and moves a virtual clock on by the time-out.
    void setRealTimeWaits(bool realTime);

    // The log.
    QList<EmulatorCall> calls() const;
    QList<EmulatorCall> calls(HidCall kind) const;
    void clearCalls();
    // Keeps about the last `calls` calls only (at most twice as many), for a
    // mouse that runs for hours, as the demo's does; 0 keeps every call.
    void setCallLogLimit(int calls);
    int openHandleCount() const;
    // Every conformance violation of every mouse, after closing pending bulk trains.
    QStringList violations();
    void clearViolations();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
