#pragma once

#include "hidbackend.h"

#include <QHash>
#include <QMutex>

#include <atomic>
#include <functional>

class ProtocolClock;

// Stands between the device link and the chosen HID backend. It counts the
// calls that failed (a null handle from an open, a negative result from a
// transfer), since the commands themselves report nothing, and, when given a
// sink, describes every call in one line: time since start, direction,
// interface, and the report bytes in hex. The report listener calls in from
// its pool thread, so both are thread safe.
class TracingBackend final : public HidBackend
{
public:
    using Sink = std::function<void(const QString &line)>;

    // Neither is owned; the clock gives the time stamps.
    TracingBackend(HidBackend &inner, const ProtocolClock &clock);

    // No sink: calls are only counted.
    void setSink(Sink sink);
    int failedCalls() const { return m_failed.load(); }

    QList<HidDeviceInfo> enumerate(quint16 vendorId, quint16 productId) override;
    HidHandle openPath(const QByteArray &path) override;
    int setNonblocking(HidHandle handle, int nonblock) override;
    int sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length) override;
    int getFeatureReport(HidHandle handle, unsigned char *data, size_t length) override;
    int write(HidHandle handle, const unsigned char *data, size_t length) override;
    int read(HidHandle handle, unsigned char *data, size_t length) override;
    int readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds) override;
    void close(HidHandle handle) override;

private:
    // '>' host to mouse, '<' mouse to host, '-' neither.
    // `path` names the interface when there is no handle for it yet.
    void trace(char direction, const QString &what, HidHandle handle, const QString &detail,
               const QByteArray &path = QByteArray());
    // Transfer results: the bytes moved, or the failure.
    static QString transferred(int result, const unsigned char *data);

    HidBackend &m_inner;
    const ProtocolClock &m_clock;
    mutable QMutex m_mutex;
    Sink m_sink;
    QHash<HidHandle, QByteArray> m_paths;
    std::atomic<int> m_failed{0};
};
