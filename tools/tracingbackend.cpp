#include "tracingbackend.h"

#include "ctlcommands.h"
#include "protocolclock.h"

TracingBackend::TracingBackend(HidBackend &inner, const ProtocolClock &clock)
    : m_inner(inner)
    , m_clock(clock)
{}

void TracingBackend::setSink(Sink sink)
{
    QMutexLocker lock(&m_mutex);
    m_sink = std::move(sink);
}

void TracingBackend::trace(char direction, const QString &what, HidHandle handle, const QString &detail,
                           const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    if (!m_sink)
        return;
    QString where = QString::fromLocal8Bit(path);
    if (handle && where.isEmpty()) {
        const auto it = m_paths.constFind(handle);
        where = it == m_paths.constEnd() ? QStringLiteral("(unknown handle)") : QString::fromLocal8Bit(*it);
    }
    const QString arrow = direction == '>'   ? QStringLiteral("->")
                          : direction == '<' ? QStringLiteral("<-")
                                             : QStringLiteral("--");
    QString line = QStringLiteral("%1 ms %2 %3").arg(m_clock.elapsed(), 7).arg(arrow, what.leftJustified(9));
    if (!where.isEmpty())
        line += QLatin1Char(' ') + where;
    if (!detail.isEmpty())
        line += (where.isEmpty() ? QStringLiteral(" ") : QStringLiteral("  ")) + detail;
    m_sink(line);
}

QString TracingBackend::transferred(int result, const unsigned char *data)
{
    if (result < 0)
        return QStringLiteral("FAILED (%1)").arg(result);
    if (result == 0)
        return QStringLiteral("nothing");
    return QStringLiteral("[%1] %2").arg(result).arg(CtlCommands::hexBytes(data, result));
}

QList<HidDeviceInfo> TracingBackend::enumerate(quint16 vendorId, quint16 productId)
{
    const QList<HidDeviceInfo> found = m_inner.enumerate(vendorId, productId);
    trace('-', QStringLiteral("enumerate"), nullptr,
          QStringLiteral("%1:%2 -> %3 interface(s)")
              .arg(vendorId, 4, 16, QLatin1Char('0'))
              .arg(productId, 4, 16, QLatin1Char('0'))
              .arg(found.size()));
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
    trace('-', QStringLiteral("open"), nullptr, handle ? QString() : QStringLiteral("FAILED"), path);
    return handle;
}

int TracingBackend::setNonblocking(HidHandle handle, int nonblock)
{
    const int result = m_inner.setNonblocking(handle, nonblock);
    trace(
        '-', QStringLiteral("blocking"), handle,
        QStringLiteral("%1 -> %2").arg(nonblock ? QStringLiteral("off") : QStringLiteral("on")).arg(result));
    return result;
}

int TracingBackend::sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length)
{
    const int result = m_inner.sendFeatureReport(handle, data, length);
    if (result < 0)
        ++m_failed;
    QString detail = QStringLiteral("[%1] %2").arg(length).arg(CtlCommands::hexBytes(data, int(length)));
    if (result < 0)
        detail += QStringLiteral("  FAILED (%1)").arg(result);
    trace('>', QStringLiteral("feature"), handle, detail);
    return result;
}

int TracingBackend::getFeatureReport(HidHandle handle, unsigned char *data, size_t length)
{
    const int result = m_inner.getFeatureReport(handle, data, length);
    if (result < 0)
        ++m_failed;
    trace('<', QStringLiteral("feature"), handle, transferred(result, data));
    return result;
}

int TracingBackend::write(HidHandle handle, const unsigned char *data, size_t length)
{
    const int result = m_inner.write(handle, data, length);
    if (result < 0)
        ++m_failed;
    QString detail = QStringLiteral("[%1] %2").arg(length).arg(CtlCommands::hexBytes(data, int(length)));
    if (result < 0)
        detail += QStringLiteral("  FAILED (%1)").arg(result);
    trace('>', QStringLiteral("output"), handle, detail);
    return result;
}

int TracingBackend::read(HidHandle handle, unsigned char *data, size_t length)
{
    const int result = m_inner.read(handle, data, length);
    if (result < 0)
        ++m_failed;
    trace('<', QStringLiteral("input"), handle, transferred(result, data));
    return result;
}

int TracingBackend::readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds)
{
    const int result = m_inner.readTimeout(handle, data, length, milliseconds);
    if (result < 0)
        ++m_failed;
    QString detail = transferred(result, data);
    if (result == 0)
        detail = QStringLiteral("nothing within %1 ms").arg(milliseconds);
    trace('<', QStringLiteral("input"), handle, detail);
    return result;
}

void TracingBackend::close(HidHandle handle)
{
    trace('-', QStringLiteral("close"), handle, QString());
    m_inner.close(handle);
    QMutexLocker lock(&m_mutex);
    m_paths.remove(handle);
}
