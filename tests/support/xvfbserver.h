#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// An Xvfb of the test's own on a display it picks itself, ended with the
// object (and with the test process, however that ends).
class XvfbServer
{
public:
    explicit XvfbServer(const QString &program);
    ~XvfbServer();
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;

    // ":N", or empty when the server did not start.
    const QByteArray &display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QByteArray m_display;
};
