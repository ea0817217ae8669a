#include "tracingbackend.h"

#include "ctlcommands.h"
#include "protocolclock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

TracingBackend::TracingBackend(HidBackend &inner, const ProtocolClock &clock)
    : m_inner(inner)
    , m_clock(clock)
{}

void TracingBackend::setSink(Sink sink, Format format)
{
    QMutexLocker lock(&m_mutex);
    m_sink = std::move(sink);
    m_format = format;
}

void TracingBackend::setDecoder(Decoder decoder)
{
    QMutexLocker lock(&m_mutex);
    m_decoder = std::move(decoder);
}

void TracingBackend::noteCommand(const QString &name, const unsigned char *request9)
{
    {
        QMutexLocker lock(&m_mutex);
        m_command = name;
        m_commandThread = QThread::currentThread();
    }
    Entry entry;
    entry.what = QStringLiteral("command");
    entry.bytes = QByteArray(reinterpret_cast<const char *>(request9), 9);
    entry.detail = name + QStringLiteral("  ") + CtlCommands::hexBytes(entry.bytes);
    trace(entry);
}

void TracingBackend::trace(const Entry &entry)
{
    QMutexLocker lock(&m_mutex);
    if (!m_sink)
        return;
    QString where = QString::fromLocal8Bit(entry.path);
    if (entry.handle && where.isEmpty()) {
        const auto it = m_paths.constFind(entry.handle);
        where = it == m_paths.constEnd() ? QStringLiteral("(unknown handle)") : QString::fromLocal8Bit(*it);
    }
    const qint64 time = m_clock.elapsed();
    if (m_format == Format::Json) {
        m_sink(jsonLine(entry, time, where));
        return;
    }
    const QString arrow = entry.direction == '>'                   ? QStringLiteral("->")
                          : entry.direction == '<'                 ? QStringLiteral("<-")
                          : entry.what == QLatin1String("command") ? QStringLiteral("==")
                                                                   : QStringLiteral("--");
    QString line = QStringLiteral("%1 ms %2 %3").arg(time, 7).arg(arrow, entry.what.leftJustified(9));
    if (!where.isEmpty())
        line += QLatin1Char(' ') + where;
    if (!entry.detail.isEmpty())
        line += (where.isEmpty() ? QStringLiteral(" ") : QStringLiteral("  ")) + entry.detail;
    m_sink(line);
}

// Called with the mutex held.
QString TracingBackend::jsonLine(const Entry &entry, qint64 time, const QString &where)
{
    const bool isCommand = entry.what == QLatin1String("command");
    QJsonObject o{
        {QStringLiteral("time"), time},
        {QStringLiteral("direction"), entry.direction == '>'   ? QStringLiteral("out")
                                      : entry.direction == '<' ? QStringLiteral("in")
                                                               : QStringLiteral("none")},
        {QStringLiteral("call"), entry.what},
        {QStringLiteral("interface"), where.isEmpty() ? QJsonValue() : QJsonValue(where)},
    };
    // The listener's reads on its own thread belong to no command.
    const bool ofCommand = isCommand || QThread::currentThread() == m_commandThread;
    o.insert(QStringLiteral("command"),
             ofCommand && !m_command.isEmpty() ? QJsonValue(m_command) : QJsonValue());
    if (isCommand) {
        o.insert(QStringLiteral("code"), CtlCommands::hexBytes(entry.bytes.mid(1, 1)));
        o.insert(QStringLiteral("clear"), CtlCommands::hexBytes(entry.bytes));
    } else if (entry.direction != '-') {
        const QByteArray clear = entry.feature && m_decoder ? m_decoder(entry.bytes) : entry.bytes;
        o.insert(QStringLiteral("bytes"), CtlCommands::hexBytes(entry.bytes));
        o.insert(QStringLiteral("clear"), CtlCommands::hexBytes(clear));
    }
    if (entry.result)
        o.insert(QStringLiteral("result"), *entry.result);
    if (entry.direction == '-' && !isCommand && !entry.detail.isEmpty())
        o.insert(QStringLiteral("detail"), entry.detail);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QString TracingBackend::transferred(int result, const unsigned char *data)
{
    if (result < 0)
        return QStringLiteral("FAILED (%1)").arg(result);
    if (result == 0)
        return QStringLiteral("nothing");
    return QStringLiteral("[%1] %2").arg(result).arg(CtlCommands::hexBytes(data, result));
}

QByteArray TracingBackend::moved(int result, const unsigned char *data)
{
    return result > 0 ? QByteArray(reinterpret_cast<const char *>(data), result) : QByteArray();
}

QList<HidDeviceInfo> TracingBackend::enumerate(quint16 vendorId, quint16 productId)
{
    const QList<HidDeviceInfo> found = m_inner.enumerate(vendorId, productId);
    Entry entry;
    entry.what = QStringLiteral("enumerate");
    entry.detail = QStringLiteral("%1:%2 -> %3 interface(s)")
                       .arg(vendorId, 4, 16, QLatin1Char('0'))
                       .arg(productId, 4, 16, QLatin1Char('0'))
                       .arg(found.size());
    entry.result = int(found.size());
    trace(entry);
    return found;
}

HidHandle TracingBackend::openPath(const QByteArray &path)
{
    HidHandle handle = m_inner.openPath(path);
    if (handle) {
        QMutexLocker lock(&m_mutex);
        m_paths.insert(handle, path);
    } else {
        ++m_failed;
    }
    Entry entry;
    entry.what = QStringLiteral("open");
    entry.path = path;
    entry.detail = handle ? QString() : QStringLiteral("FAILED");
    entry.result = handle ? 0 : -1;
    trace(entry);
    return handle;
}

int TracingBackend::setNonblocking(HidHandle handle, int nonblock)
{
    const int result = m_inner.setNonblocking(handle, nonblock);
    Entry entry;
    entry.what = QStringLiteral("blocking");
    entry.handle = handle;
    entry.detail =
        QStringLiteral("%1 -> %2").arg(nonblock ? QStringLiteral("off") : QStringLiteral("on")).arg(result);
    entry.result = result;
    trace(entry);
    return result;
}

int TracingBackend::sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length)
{
    const int result = m_inner.sendFeatureReport(handle, data, length);
    traceSent(QStringLiteral("feature"), handle, data, length, result, true);
    return result;
}

int TracingBackend::getFeatureReport(HidHandle handle, unsigned char *data, size_t length)
{
    const int result = m_inner.getFeatureReport(handle, data, length);
    traceReceived(QStringLiteral("feature"), handle, data, result, std::nullopt, true);
    return result;
}

int TracingBackend::write(HidHandle handle, const unsigned char *data, size_t length)
{
    const int result = m_inner.write(handle, data, length);
    traceSent(QStringLiteral("output"), handle, data, length, result, false);
    return result;
}

int TracingBackend::read(HidHandle handle, unsigned char *data, size_t length)
{
    const int result = m_inner.read(handle, data, length);
    traceReceived(QStringLiteral("input"), handle, data, result, std::nullopt, false);
    return result;
}

int TracingBackend::readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds)
{
    const int result = m_inner.readTimeout(handle, data, length, milliseconds);
    traceReceived(QStringLiteral("input"), handle, data, result, milliseconds, false);
    return result;
}

void TracingBackend::traceSent(const QString &what, HidHandle handle, const unsigned char *data,
                               size_t length, int result, bool feature)
{
    if (result < 0)
        ++m_failed;
    Entry entry;
    entry.direction = '>';
    entry.what = what;
    entry.handle = handle;
    entry.bytes = QByteArray(reinterpret_cast<const char *>(data), int(length));
    entry.feature = feature;
    entry.result = result;
    entry.detail = QStringLiteral("[%1] %2").arg(length).arg(CtlCommands::hexBytes(entry.bytes));
    if (result < 0)
        entry.detail += QStringLiteral("  FAILED (%1)").arg(result);
    trace(entry);
}

void TracingBackend::traceReceived(const QString &what, HidHandle handle, const unsigned char *data,
                                   int result, std::optional<int> timeout, bool feature)
{
    if (result < 0)
        ++m_failed;
    Entry entry;
    entry.direction = '<';
    entry.what = what;
    entry.handle = handle;
    entry.bytes = moved(result, data);
    entry.feature = feature;
    entry.result = result;
    entry.detail = result == 0 && timeout ? QStringLiteral("nothing within %1 ms").arg(*timeout)
                                          : transferred(result, data);
    trace(entry);
}

void TracingBackend::close(HidHandle handle)
{
    Entry entry;
    entry.what = QStringLiteral("close");
    entry.handle = handle;
    trace(entry);
    m_inner.close(handle);
    QMutexLocker lock(&m_mutex);
    m_paths.remove(handle);
}
