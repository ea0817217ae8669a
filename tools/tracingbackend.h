#pragma once

#include "hidbackend.h"

#include <QHash>
#include <QMutex>

#include <atomic>
#include <functional>
#include <optional>

class ProtocolClock;
class QThread;

// Stands between the device link and the chosen HID backend. It counts the
// calls that failed (a null handle from an open, a negative result from a
// transfer), since the commands themselves report nothing, and, when given a
// sink, describes every call in one line: time since start, direction,
// interface, and the report bytes in hex; each command is named before its
// reports. As text for people, or as one JSON object a line for tools. The
// report listener calls in from its pool thread, so both are thread safe.
class TracingBackend final : public HidBackend
{
public:
    using Sink = std::function<void(const QString &line)>;
    // The bytes of a feature report as the mouse reads them in the clear.
    using Decoder = std::function<QByteArray(const QByteArray &onWire)>;
    enum class Format { Text, Json };

    // Neither is owned; the clock gives the time stamps.
    TracingBackend(HidBackend &inner, const ProtocolClock &clock);

    // No sink: calls are only counted.
    void setSink(Sink sink, Format format = Format::Text);
    // Without a decoder, feature reports travel in the clear.
    void setDecoder(Decoder decoder);
    int failedCalls() const { return m_failed.load(); }

    // The device link is about to send the command `name` with the request
    // `request9` (in the clear). Until the next command, the calls of the same
    // thread belong to it.
    void noteCommand(const QString &name, const unsigned char *request9);

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
    // One call as traced. `bytes` is the report as on the wire; `feature`
    // marks a feature report, whose clear form the decoder gives.
    struct Entry
    {
        char direction = '-'; // '>' host to mouse, '<' mouse to host, '-' neither
        QString what;
        HidHandle handle = nullptr;
        QString detail;  // the text form's own words
        QByteArray path; // names the interface when there is no handle for it yet
        QByteArray bytes;
        bool feature = false;
        std::optional<int> result;
    };

    void trace(const Entry &entry);
    void traceSent(const QString &what, HidHandle handle, const unsigned char *data, size_t length,
                   int result, bool feature);
    void traceReceived(const QString &what, HidHandle handle, const unsigned char *data, int result,
                       std::optional<int> timeout, bool feature);
    QString jsonLine(const Entry &entry, qint64 time, const QString &where);
    // Transfer results: the bytes moved, or the failure.
    static QString transferred(int result, const unsigned char *data);
    static QByteArray moved(int result, const unsigned char *data);

    HidBackend &m_inner;
    const ProtocolClock &m_clock;
    mutable QMutex m_mutex;
    Sink m_sink;
    Format m_format = Format::Text;
    Decoder m_decoder;
    QHash<HidHandle, QByteArray> m_paths;
    std::atomic<int> m_failed{0};
    QString m_command;
    QThread *m_commandThread = nullptr;
};
